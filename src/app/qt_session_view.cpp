#include "app/qt_session_view.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

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

QtSessionView::QtSessionView(QWidget& window, QProgressBar& progressBar, PortOffer offerPorts)
    : window_(window), progressBar_(progressBar), offerPorts_(std::move(offerPorts)) {}

template <typename Widget>
Widget* QtSessionView::control(int controlId) const {
  auto* widget = window_.findChild<Widget*>(ControlName(controlId));
  Q_ASSERT_X(widget, "QtSessionView", "no control of that id and kind");
  return widget;
}

void QtSessionView::setPaneText(const std::string& text) {
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

void QtSessionView::post(std::function<void()> task) {
  QMetaObject::invokeMethod(&window_, std::move(task), Qt::QueuedConnection);
}

void QtSessionView::showBox(BoxKind kind, const std::string& text, std::function<void(bool ok)> closed) {
  const QString shown = QString::fromUtf8(text);
  if (kind == BoxKind::kInfo || kind == BoxKind::kNotice) {
    OpenInfoBox(&window_, shown, [closed = std::move(closed)] { closed(true); });
  } else {
    OpenWarningBox(&window_, shown, kind == BoxKind::kCautiousWarning, std::move(closed));
  }
}

void QtSessionView::showMovedNotice(const std::string& text, const ModuleLine& now,
                                    std::function<void(bool ok)> closed) {
  if (!follow_) return showBox(BoxKind::kNotice, text, std::move(closed));
  OpenInfoBoxOffering(&window_, QString::fromUtf8(text), QString::fromUtf8(kFollowModuleText.text()),
                      [follow = follow_, now, closed = std::move(closed)](bool offered) {
                        if (offered) follow(now);  // before the job goes on: it runs once the job ends
                        closed(true);
                      });
}

void QtSessionView::askPort(std::function<void(std::optional<std::string> device)> answered) {
  auto* dialog = new EditComDialog(&window_, offerPorts_ ? offerPorts_() : std::vector<PortChoice>{}, lastPortEntry_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog, answered = std::move(answered)](int result) {
    answered(result == QDialog::Accepted ? std::optional<std::string>(dialog->portEntry()) : std::nullopt);
  });
  dialog->open();
}

void QtSessionView::portStateChanged(bool open) {
  control<QPushButton>(ids::kOpenPort)->setText(QString::fromUtf8(OpenButtonCaption(open)));
}

void QtSessionView::lineSettingsChanged(int baudIndex, int formatIndex) {
  for (const auto& [id, index] : {std::pair{ids::kBaudRate, baudIndex}, std::pair{ids::kLineFormat, formatIndex}}) {
    QComboBox* combo = control<QComboBox>(id);
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
  }
}

void QtSessionView::progress(int done, int total) {
  followPane_ = done < total;
  progressBar_.setRange(0, total);
  progressBar_.setValue(done);
  progressBar_.setVisible(done < total);
}

void QtSessionView::registersRead(const StationRegisters& block) {
  if (registersRead_) registersRead_(block);
}

void QtSessionView::registersWritten(const StationRegisters& block) {
  if (registersWritten_) registersWritten_(block);
}

void QtSessionView::showRegistersIn(std::function<void(const StationRegisters&)> read,
                                    std::function<void(const StationRegisters&)> written) {
  registersRead_ = std::move(read);
  registersWritten_ = std::move(written);
}
