#include "app/qt_console.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>

#include "app/main_window_layout.h"
#include "app/message_boxes.h"
#include "console/control_ids.h"
#include "layout/main_window_texts.h"

namespace {

// Reports end lines with "\r\n" (and the scan has a bare "\n"); the pane
// shows plain line breaks.
QString ForDisplay(const std::string& text) {
  QString shown = QString::fromUtf8(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace

QtConsole::QtConsole(QWidget& window, QProgressBar& progressBar, PortOffer offerPorts)
    : window_(window), progressBar_(progressBar), offerPorts_(std::move(offerPorts)) {}

template <typename Widget>
Widget* QtConsole::control(int controlId) const {
  auto* widget = window_.findChild<Widget*>(ControlName(controlId));
  Q_ASSERT_X(widget, "QtConsole", "no control of that id and kind");
  return widget;
}

void QtConsole::setPaneText(const std::string& text) {
  auto* pane = control<QPlainTextEdit>(ids::kOutputPane);
  const QString shown = ForDisplay(text);
  const QString before = pane->toPlainText();
  if (before.isEmpty() || !shown.startsWith(before)) {
    pane->setPlainText(shown);  // a new report starts at its top
    return;
  }
  // The operation adds to its report: add the new part only. While it reports
  // progress (the scan, a line per attempt) keep the newest line in view; a
  // read's report stays at its top, where its header is.
  QTextCursor end(pane->document());
  end.movePosition(QTextCursor::End);
  end.insertText(shown.mid(before.size()));
  if (followPane_) {
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(bar->maximum());
  }
}

void QtConsole::showInfo(const std::string& text) { ShowInfoBox(&window_, QString::fromUtf8(text)); }

bool QtConsole::askWarning(const std::string& text) {
  return AskWarningBox(&window_, QString::fromUtf8(text));
}

bool QtConsole::askCautiousWarning(const std::string& text) {
  return AskWarningBox(&window_, QString::fromUtf8(text), true);
}

void QtConsole::portStateChanged(bool open) {
  control<QPushButton>(ids::kOpenPort)->setText(QString::fromUtf8(OpenButtonCaption(open)));
}

void QtConsole::lineSettingsChanged(int baudIndex, int formatIndex) {
  for (const auto& [id, index] : {std::pair{ids::kBaudRate, baudIndex}, std::pair{ids::kLineFormat, formatIndex}}) {
    QComboBox* combo = control<QComboBox>(id);
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
  }
}

std::optional<std::string> QtConsole::askPort() {
  EditComDialog dialog(&window_, offerPorts_ ? offerPorts_() : std::vector<PortChoice>{});
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.portEntry();
}

void QtConsole::repaint() { window_.repaint(); }

void QtConsole::pause(int milliseconds) {
  // The input gate drops clicks and keys meant for the window meanwhile.
  QEventLoop loop;
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtConsole::idle() { QCoreApplication::processEvents(); }

void QtConsole::progress(int done, int total) {
  followPane_ = done < total;
  progressBar_.setRange(0, total);
  progressBar_.setValue(done);
  progressBar_.setVisible(done < total);
  progressBar_.repaint();
}
