#pragma once
// The 总线视图 window: the modules of a bus file, one row each, polled
// round-robin on the main window's session. The rows' texts and marks, the
// polling and the log come from BusViewCore; this draws them.
#include <QWidget>
#include <functional>
#include <memory>

#include "busview/bus_view_core.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;
class QTimer;
class Session;

class BusViewWindow : public QWidget, private BusViewFront {
  Q_OBJECT
 public:
  // `portFree` says no command or monitoring holds the port.
  BusViewWindow(Session& session, std::function<bool()> portFree, QWidget* parent = nullptr);
  ~BusViewWindow() override;

  BusViewCore& core() { return core_; }
  QTableView* table() const { return table_; }
  QPushButton* startButton() const { return startButton_; }
  QPushButton* reportButton() const { return reportButton_; }
  QPushButton* commissionButton() const { return commissionButton_; }
  // The bus file to commission into: the one shown, saved first when it has no
  // file yet (a save dialog); empty when the user cancelled.
  std::string busFileForCommissioning();
  // Reads every module once and writes the report to `pdf`, its CSV beside it.
  bool writeReport(const QString& pdf);
  QSpinBox* intervalBox() const { return interval_; }
  QCheckBox* logSwitch() const { return logSwitch_; }
  QLabel* statusLabel() const { return status_; }
  QString cell(int row, BusColumn column) const;

  // The folder the file dialogs open in: the last one used.
  const QString& lastFolder() const { return lastFolder_; }
  void setLastFolder(const QString& folder) { lastFolder_ = folder; }
  // 打开…, 保存… and 调试报告…, for a menu bar too.
  void openWithDialog();
  bool saveWithDialog();
  void reportWithDialog();

  bool openFile(const QString& path) { return core_.open(path.toStdString()); }
  void showBus(const BusFile& bus) { core_.show(bus); }
  // The module's full report, in a window of its own.
  QWidget* showReport(int row);

 signals:
  void pollingChanged(bool running);
  void commissionRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void showInfo(const std::string& text) override;
  void schedulePoll(int milliseconds) override;
  void cancelPoll() override;
  void showAllRows() override;
  void showRow(size_t module) override;
  void setStatus(const std::string& text) override;
  void pollingSwitched(bool running) override;
  void setLogging(bool on) override;
  std::string chooseLogFile(const std::string& last) override;
  bool logByteOrderMark() const override;
  void reportWritten(const std::vector<std::string>& paths) override;

  void startOrStop();
  void refreshAges();

  BusViewCore core_;
  std::function<bool()> portFree_;
  QTableView* table_ = nullptr;
  QStandardItemModel* model_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* reportButton_ = nullptr;
  QPushButton* commissionButton_ = nullptr;
  QSpinBox* interval_ = nullptr;
  QCheckBox* logSwitch_ = nullptr;
  QLabel* status_ = nullptr;
  QTimer* pollTimer_ = nullptr;
  QTimer* ageTimer_ = nullptr;
  QString lastFolder_;
};
