#include "app/commission_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <memory>

#include "console/texts.h"
#include "app/cjk_fonts.h"
#include "app/message_boxes.h"
#include "app/qt_text.h"
#include "commissioning/commission.h"
#include "discovery/probe.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "tools/finder_run.h"

CommissionDialog::CommissionDialog(CommandRunner run, BusFile bus, std::string path, QWidget* parent)
    : QDialog(parent), run_(std::move(run)), bus_(std::move(bus)), path_(std::move(path)) {
  setWindowTitle(Utf8(kCommissionTitle));
  setFont(DialogFont(9));
  prompt_ = new QLabel(Utf8(kCommissionPlugPrompt), this);
  prompt_->setWordWrap(true);
  station_ = new QSpinBox(this);
  station_->setRange(kFirstStation + 1, kLastStation);
  model_ = new QComboBox(this);
  model_->addItem(Utf8(kCommissionModelByWord0));
  for (const ModelEntry& model : Models()) model_->addItem(Utf8(model.cliName));
  name_ = new QLineEdit(this);
  runButton_ = new QPushButton(Utf8(kCommissionRunText), this);
  runButton_->setDefault(true);
  closeButton_ = new QPushButton(Utf8(kCloseButtonText), this);
  closeButton_->setAutoDefault(false);
  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  log_->setFont(PaneFont());

  auto* form = new QFormLayout;
  form->addRow(Utf8(Tr("app", "总线文件：")), new QLabel(Utf8(path_ + "  (" + LineSettingsText(bus_) + ")"), this));
  form->addRow(Utf8(kCommissionStationLabel), station_);
  form->addRow(Utf8(kCommissionModelLabel), model_);
  form->addRow(Utf8(kCommissionNameLabel), name_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(runButton_);
  buttons->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addLayout(form);
  layout->addWidget(log_, 1);
  layout->addLayout(buttons);
  resize(620, 460);

  connect(runButton_, &QPushButton::clicked, this, &CommissionDialog::commissionNext);
  connect(closeButton_, &QPushButton::clicked, this, &CommissionDialog::reject);
  showNextStation();
}

QString CommissionDialog::logText() const { return log_->toPlainText(); }

void CommissionDialog::log(const QString& line) { log_->appendPlainText(line); }

void CommissionDialog::showNextStation() {
  const int next = NextFreeStation(bus_, std::max(station_->value(), kFirstStation + 1));
  if (next) station_->setValue(next);
  name_->clear();
  name_->setPlaceholderText(Utf8(DefaultModuleName(station_->value())));
}

void CommissionDialog::commissionNext() {
  if (running_) return;
  OpenWarningBox(this, Utf8(CommissionConfirmation(bus_, station_->value())), false, [this](bool ok) {
    if (ok) runConfirmed();
  });
}

void CommissionDialog::runConfirmed() {
  CommissionRequest request;
  request.newStation = station_->value();
  request.expected = model_->currentIndex() == 0 ? nullptr : FindModel(model_->currentText().toStdString());
  request.name = name_->text().trimmed().toStdString();
  auto result = std::make_shared<CommissionResult>();
  const BusFile bus = bus_;
  running_ = true;
  runButton_->setEnabled(false);
  closeButton_->setEnabled(false);
  const bool started = run_(
      [result, bus, request](Operations& ops) { *result = CommissionModule(ops.context(), bus, request); },
      [this, result] {
        running_ = false;
        runButton_->setEnabled(true);
        closeButton_->setEnabled(true);
        for (const std::string& step : result->steps) log(Utf8(step));
        if (!result->ok) {
          log(Utf8(Tr("app", "未完成：") + result->failure));
          log(Utf8(Tr("app", "可重试（再按“调试此模块”），或换上另一个模块；已调试的模块不受影响。")));
          return;
        }
        std::string error;
        if (!AddCommissionedModule(bus_, path_, result->module, &error)) log(Utf8(Tr("app", "总线文件保存失败：") + error));
        else log(Utf8(CommissionAddedText(result->module, path_)));
        ++added_;
        log(Utf8(kCommissionPlugPrompt));
        showNextStation();
      });
  if (!started) {
    running_ = false;
    runButton_->setEnabled(true);
    closeButton_->setEnabled(true);
    log(Utf8(kFinderPortBusy));
  }
}

void CommissionDialog::reject() {
  if (running_) return;
  QDialog::reject();
}
