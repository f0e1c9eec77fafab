#include "pdf/html_pdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <memory>

#include "bus/atomic_file.h"

namespace {

// Qt's text engine needs a QGuiApplication; a command-line program has none.
std::unique_ptr<QGuiApplication> GuiForThisCall() {
  if (QCoreApplication::instance()) return nullptr;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "dolvane";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Qt's notes on a missing runtime folder and the like are not the user's concern here.
void Quiet(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) qt_message_output(type, context, message);
}

}  // namespace

bool WriteHtmlPdf(const std::string& html, const std::string& title, const std::string& path, std::string* error) {
  const QtMessageHandler before = qInstallMessageHandler(Quiet);
  const std::unique_ptr<QGuiApplication> gui = GuiForThisCall();
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("dolvane"));
    QTextDocument document;
    QFont font;
    // Latin and digits from a plain Latin face: the CJK face's digits come out of
    // some runs under glyph ids its text map lacks, and a copy from the PDF loses them.
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("sans-serif")});
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setHtml(QString::fromStdString(html));
    document.print(&writer);
  }
  qInstallMessageHandler(before);
  return ReplaceFileAtomically(path, std::string_view(pdf.data().constData(), static_cast<size_t>(pdf.size())), error);
}
