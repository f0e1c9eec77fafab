#pragma once
// 调试新模块: factory-set modules plugged in one at a time, each given the next
// free station and the bus's line settings, checked and added to the bus file.
// Each module's run asks first, then runs on the session's worker.
#include <QDialog>
#include <functional>
#include <string>

#include "app/command_runner.h"
#include "bus/bus_file.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class CommissionDialog : public QDialog {
  Q_OBJECT
 public:
  // `bus` is saved to `path` after each module.
  CommissionDialog(CommandRunner run, BusFile bus, std::string path, QWidget* parent);

  const BusFile& bus() const { return bus_; }
  QSpinBox* stationBox() const { return station_; }
  QComboBox* modelBox() const { return model_; }
  QLineEdit* nameEdit() const { return name_; }
  QPushButton* runButton() const { return runButton_; }
  QString logText() const;
  bool running() const { return running_; }
  int added() const { return added_; }

  // Asks, then runs the module at the factory settings.
  void commissionNext();

  void reject() override;  // not while a module's run holds the port

 private:
  void runConfirmed();
  void showNextStation();
  void log(const QString& line);

  CommandRunner run_;
  BusFile bus_;
  std::string path_;
  QSpinBox* station_ = nullptr;
  QComboBox* model_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* runButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  QLabel* prompt_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  bool running_ = false;
  int added_ = 0;
};
