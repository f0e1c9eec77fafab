#pragma once
#include <QDialog>
#include <memory>
#include <vector>

#include "app/edit_com_dialog.h"
#include "layout/form_model.h"
#include "operations/operations.h"

class DialogUnits;
class InputGate;
class MonitorController;
class QCheckBox;
class QLabel;
class QProgressBar;
class QtConsole;
class QtForm;
struct FormValues;
class TrafficTap;
class TrafficWindow;
struct ControlDef;

// The main window: output pane on the left, the operations on the right and
// along the bottom, each control bound to its handler by the command table.
class CDolvaneCaiJiDlg : public QDialog {
  Q_OBJECT
 public:
  // `offerPorts` gives the devices heading the port dialog's list (the
  // simulated bus), asked each time the dialog opens.
  explicit CDolvaneCaiJiDlg(PortOffer offerPorts = {});
  ~CDolvaneCaiJiDlg() override;

  Operations& operations() { return *ops_; }
  Console& console();
  QWidget* control(int controlId) const;
  QProgressBar* progressBar() const { return progressBar_; }
  // True while a command's handler runs.
  bool commandRunning() const;
  MonitorController& monitor() { return *monitor_; }
  QCheckBox* monitorSwitch() const { return monitorSwitch_; }
  QLabel* monitorStatus() const { return monitorStatus_; }
  void showAbout();
  // The 通讯监视 window (made on first use) and the 查找模块 dialog.
  TrafficWindow* showTrafficWindow();
  void showDiscovery();

  static std::string welcomeText();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  QWidget* createControl(const ControlDef& def);
  QRect placeOf(const ControlDef& def, const DialogUnits& units) const;
  void addAboutAction();
  void addToolActions();
  void openTrafficWindow();
  void chainTabOrder();
  void fillForm(const FormValues& form);
  void bindCommands();
  void runCommand(const Command& command);
  // Runs a handler that holds the port: not while another does or monitoring polls.
  void runExclusive(const std::function<void(Operations&)>& handler);
  bool portFree() const;
  void createMonitorControls(const DialogUnits& units);
  void monitoringChanged(bool running);

  std::unique_ptr<InputGate> gate_;
  QProgressBar* progressBar_ = nullptr;
  std::unique_ptr<QtForm> form_;
  std::unique_ptr<QtConsole> console_;
  std::unique_ptr<Operations> ops_;
  QCheckBox* monitorSwitch_ = nullptr;
  QLabel* monitorStatus_ = nullptr;
  std::unique_ptr<MonitorController> monitor_;  // polls through ops_: goes first
  TrafficTap* tap_ = nullptr;  // owned by ops_: every frame of the window's port passes it
  // A window of its own, owned here so that it lets go of the tap before ops_ goes.
  std::unique_ptr<TrafficWindow> trafficWindow_;
};
