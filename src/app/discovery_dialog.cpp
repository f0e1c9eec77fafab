#include "app/discovery_dialog.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/cjk_fonts.h"
#include "busview/bus_view_core.h"
#include "layout/main_window_texts.h"

namespace {

constexpr int kDialogFontPoints = 9;

QSpinBox* NewSpinBox(const FinderField& field, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(field.min, field.max);
  box->setValue(field.initial);
  return box;
}

QPushButton* NewButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

DiscoveryDialog::DiscoveryDialog(CommandRunner run, std::function<void()> cancel, QWidget* parent)
    : QDialog(parent), run_(std::move(run)), cancel_(std::move(cancel)) {
  setWindowTitle(QString::fromUtf8(kFinderTitle.text()));
  setFont(DialogFont(kDialogFontPoints));

  from_ = NewSpinBox(kScanFromField, this);
  to_ = NewSpinBox(kScanToField, this);
  turnaround_ = NewSpinBox(kTurnaroundField, this);
  turnaround_->setSuffix(QString::fromUtf8(kTurnaroundSuffix.text()));
  station_ = NewSpinBox(kDetectStationField, this);
  scanButton_ = NewButton(kScanButtonText, this);
  detectButton_ = NewButton(kDetectButtonText, this);
  cancelButton_ = NewButton(kCancelButtonText, this);
  closeButton_ = NewButton(kCloseButtonText, this);
  busButton_ = NewButton(kBusFromScanText, this);
  followButton_ = NewButton(kFollowModuleText, this);
  progress_ = new QProgressBar(this);
  progress_->setFormat(QStringLiteral("%v/%m"));
  progress_->setTextVisible(false);  // until a run gives it a total
  results_ = new QPlainTextEdit(this);
  results_->setReadOnly(true);
  results_->setFont(PaneFont());
  // The station and what answered line up as the command line's columns do.
  results_->setTabStopDistance(results_->fontMetrics().horizontalAdvance(QStringLiteral("00000")));

  auto* scanGroup = new QGroupBox(QString::fromUtf8(kScanGroupText.text()), this);
  auto* scanForm = new QFormLayout(scanGroup);
  auto* range = new QHBoxLayout;
  range->addWidget(from_);
  range->addWidget(new QLabel(QString::fromUtf8(kRangeToLabel.text()), scanGroup));
  range->addWidget(to_);
  range->addStretch();
  scanForm->addRow(QString::fromUtf8(kStationLabel.text()), range);
  scanForm->addRow(QString::fromUtf8(kTurnaroundLabel.text()), turnaround_);
  scanForm->addRow(scanButton_);

  auto* detectGroup = new QGroupBox(QString::fromUtf8(kDetectGroupText.text()), this);
  auto* detectForm = new QFormLayout(detectGroup);
  detectForm->addRow(QString::fromUtf8(kStationLabel.text()), station_);
  detectForm->addRow(detectButton_);
  detectForm->addRow(followButton_);

  auto* groups = new QHBoxLayout;
  groups->addWidget(scanGroup, 1);
  groups->addWidget(detectGroup, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(progress_, 1);
  bottom->addWidget(cancelButton_);
  bottom->addWidget(busButton_);
  bottom->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(results_, 1);
  layout->addLayout(bottom);
  resize(640, 420);

  connect(scanButton_, &QPushButton::clicked, this, &DiscoveryDialog::scanStations);
  connect(detectButton_, &QPushButton::clicked, this, &DiscoveryDialog::detectLine);
  connect(cancelButton_, &QPushButton::clicked, this, &DiscoveryDialog::requestCancel);
  connect(closeButton_, &QPushButton::clicked, this, &DiscoveryDialog::reject);
  connect(busButton_, &QPushButton::clicked, this, [this] { done(kMakeBus); });
  connect(followButton_, &QPushButton::clicked, this, [this] {
    if (finderRun_.detectedLine()) emit followRequested(*finderRun_.detectedLine());
  });
  setRunning(false);
}

QString DiscoveryDialog::resultText() const { return results_->toPlainText(); }

void DiscoveryDialog::scanStations() {
  runDiscovery(finderRun_.scanStations(from_->value(), to_->value(), turnaround_->value(), progressSink()));
}

void DiscoveryDialog::detectLine() {
  runDiscovery(finderRun_.detectLine(station_->value(), turnaround_->value(), progressSink()));
}

// Called on the worker: the bar is the dialog's, on its own thread.
FinderRun::Progress DiscoveryDialog::progressSink() {
  return [this](int done, int total) {
    QMetaObject::invokeMethod(this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
  };
}

void DiscoveryDialog::runDiscovery(FinderRun::Job job) {
  if (running_) return;
  setRunning(true);
  results_->clear();
  const bool started = run_(std::move(job), [this] {
    setRunning(false);
    results_->setPlainText(QString::fromStdString(finderRun_.report()));
  });
  if (!started) {
    setRunning(false);
    results_->setPlainText(QString::fromUtf8(kFinderPortBusy.text()));
  }
}

void DiscoveryDialog::requestCancel() {
  finderRun_.requestCancel();
  cancel_();
}

void DiscoveryDialog::setRunning(bool running) {
  running_ = running;
  for (QWidget* w : std::initializer_list<QWidget*>{from_, to_, turnaround_, station_, scanButton_, detectButton_,
                                                    closeButton_})
    w->setEnabled(!running);
  cancelButton_->setEnabled(running);
  const std::optional<FinderRun::Scan>& scan = finderRun_.lastScan();
  busButton_->setEnabled(!running && scan && !scan->found.found.empty());
  followButton_->setEnabled(!running && finderRun_.detectedLine().has_value());
  if (running) {
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->setTextVisible(true);
  }
}

void DiscoveryDialog::showProgress(int done, int total) {
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(done);
}

void DiscoveryDialog::reject() {
  if (running_) {
    requestCancel();  // Escape during a run asks it to stop; the dialog stays
    return;
  }
  QDialog::reject();
}

void DiscoveryDialog::closeEvent(QCloseEvent* event) {
  if (running_) {
    requestCancel();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}
