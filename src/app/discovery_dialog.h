#pragma once
// 查找模块: the read-only station scan and line-setting detection, with a
// progress bar and a Cancel that ends a run within one exchange.
#include <QDialog>
#include <functional>

#include "app/command_runner.h"
#include "operations/operations.h"
#include "tools/finder_run.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

class DiscoveryDialog : public QDialog {
  Q_OBJECT
 public:
  // exec()'s result when the user asked for a bus made of the last station scan.
  static constexpr int kMakeBus = 2;

  // `cancel` raises the session's cancel flag, which also cuts a pause short.
  DiscoveryDialog(CommandRunner run, std::function<void()> cancel, QWidget* parent);

  QSpinBox* fromBox() const { return from_; }
  QSpinBox* toBox() const { return to_; }
  QSpinBox* turnaroundBox() const { return turnaround_; }
  QSpinBox* stationBox() const { return station_; }
  QPushButton* scanButton() const { return scanButton_; }
  QPushButton* detectButton() const { return detectButton_; }
  QPushButton* cancelButton() const { return cancelButton_; }
  QProgressBar* progressBar() const { return progress_; }
  QPushButton* busButton() const { return busButton_; }
  // 切换到新的通讯参数: enabled after a detection that found the station's line.
  QPushButton* followButton() const { return followButton_; }
  const std::optional<FinderRun::Scan>& lastScan() const { return finderRun_.lastScan(); }
  QString resultText() const;
  bool running() const { return running_; }

  void scanStations();
  void detectLine();

  void reject() override;  // not while a run holds the port

 signals:
  void followRequested(const ModuleLine& line);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void runDiscovery(FinderRun::Job job);
  FinderRun::Progress progressSink();
  void requestCancel();
  void setRunning(bool running);
  void showProgress(int done, int total);

  CommandRunner run_;
  std::function<void()> cancel_;
  QSpinBox* from_ = nullptr;
  QSpinBox* to_ = nullptr;
  QSpinBox* turnaround_ = nullptr;
  QSpinBox* station_ = nullptr;
  QPushButton* scanButton_ = nullptr;
  QPushButton* detectButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  QPushButton* busButton_ = nullptr;
  QPushButton* followButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPlainTextEdit* results_ = nullptr;
  bool running_ = false;
  FinderRun finderRun_;
};
