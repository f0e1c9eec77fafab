#pragma once
#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_runner.h"
#include "app/edit_com_dialog.h"
#include "console/console.h"
#include "layout/form_model.h"
#include "operations/operations.h"
#include "tools/finder_run.h"

class DialogUnits;
class MonitorController;
class QCheckBox;
class QLabel;
class QProgressBar;
class QtSessionView;
class Session;
class QtForm;
struct FormValues;
class TrafficTap;
class TrafficWindow;
class BusViewWindow;
class JournalWindow;
class DiscoveryDialog;
class RegisterTablePane;
class QAction;
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

  // The session's Operations, for set-up and for tests to look at between commands.
  Operations& operations();
  QtSessionView& view() { return *view_; }
  QWidget* control(int controlId) const;
  QProgressBar* progressBar() const { return progressBar_; }
  // True from a command's click until all it said is shown.
  bool commandRunning() const;
  MonitorController& monitor() { return *monitor_; }
  QCheckBox* monitorSwitch() const { return monitorSwitch_; }
  QLabel* monitorStatus() const { return monitorStatus_; }
  void showAbout();
  // The 通讯监视 window (made on first use) and the 查找模块 dialog.
  TrafficWindow* showTrafficWindow();
  void showDiscovery();
  // The 总线视图 window (made on first use); it polls on this window's session.
  BusViewWindow* showBusView();
  // The 写入记录 window (made on first use), read again each time it is shown.
  JournalWindow* showJournalWindow();
  // The 寄存器表 pane (made on first use, with the last block read): a child
  // window of its own until a front docks it. Its edits write on this window's session.
  RegisterTablePane* registerTablePane();
  RegisterTablePane* showRegisterTable();
  QAction* readBeforeWriteAction() const { return readBeforeWrite_; }

  // The tool windows. Each appears as a window of its own beside this one,
  // unless a presenter places it (the workbench docks them).
  enum class Tool { kTraffic, kFinder, kBusView, kJournal, kTrend, kRegisterTable };
  using ToolPresenter = std::function<void(Tool tool, QWidget& widget)>;
  void setToolPresenter(ToolPresenter present);
  // Makes the tool on first use and shows it.
  void showTool(Tool tool);
  // The context menu's items (F1 and the tools' keys), for a menu bar to share;
  // the trend has none: monitoring starts it.
  QAction* toolAction(Tool tool) const;
  QAction* aboutAction() const { return aboutAction_; }

  // Settings remembered from the last run, before the first command: the
  // line's combo boxes (and the link's next opening), the station field and
  // what the port dialog starts with. Nothing is opened.
  void prefill(int baudIndex, int formatIndex, const QString& station, const std::string& portEntry);

  // A module moved or was found elsewhere (切换到新的通讯参数): the combo
  // boxes, the port opened again at them and the station field, once the
  // command that moved it has ended.
  void followModule(const ModuleLine& line);
  // The window's close rules, for a window that holds this one: stops
  // monitoring and the bus view's polls, closes the tools; false (nothing
  // closes) while a command or a poll still holds the port.
  bool readyToClose();

  static std::string welcomeText();

 signals:
  // A command ended: the port, its line or the combo boxes may have changed.
  void linkChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  QWidget* createControl(const ControlDef& def);
  QRect placeOf(const ControlDef& def, const DialogUnits& units) const;
  void addAboutAction();
  void addToolActions();
  void registersRead(const StationRegisters& block);
  void registersWritten(const StationRegisters& block);
  // 调试新模块 into the bus view's bus file.
  void showCommissioning();
  void present(Tool tool, QWidget& widget);
  void showFinderBeside();
  // A bus made of the finder's last station scan, its models picked where several fit.
  void showScannedBus(const FinderRun::Scan& scan);
  void chainTabOrder();
  void fillForm(const FormValues& form);
  void bindCommands();
  void runCommand(const Command& command);
  // Starts a job that holds the port, on the session's worker: not while
  // another runs or monitoring polls. `done` runs here once it ended.
  bool runExclusive(std::function<void(Operations&)> job, std::function<void()> done = {});
  // runExclusive, for the tool windows that run jobs as commands do.
  CommandRunner commandRunner();
  // 查找模块, its 切换到新的通讯参数 bound to this window.
  std::unique_ptr<DiscoveryDialog> newFinder();
  // Greys or restores the controls of every command.
  void setCommandsEnabled(bool enabled);
  bool portFree() const;
  void createMonitorControls(const DialogUnits& units);
  void monitoringChanged(bool running);
  bool busPolling() const;

  QProgressBar* progressBar_ = nullptr;
  std::unique_ptr<QtForm> form_;
  std::unique_ptr<QtSessionView> view_;
  QCheckBox* monitorSwitch_ = nullptr;
  QLabel* monitorStatus_ = nullptr;
  std::unique_ptr<MonitorController> monitor_;
  // The worker, Operations and the port; it ends before the view it posts to.
  std::unique_ptr<Session> session_;
  TrafficTap* tap_ = nullptr;  // owned by the session's port: every frame passes it
  // A window of its own, owned here so that it lets go of the tap before the session goes.
  std::unique_ptr<TrafficWindow> trafficWindow_;
  std::unique_ptr<BusViewWindow> busView_;
  JournalWindow* journalWindow_ = nullptr;  // a child window of this one
  RegisterTablePane* registerTable_ = nullptr;  // a child window of this one
  std::optional<StationRegisters> lastRead_;  // for a register table made later
  std::string journalPath_;
  QAction* readBeforeWrite_ = nullptr;  // on the context menu, checked by default
  QAction* aboutAction_ = nullptr;
  std::map<Tool, QAction*> toolActions_;
  ToolPresenter presenter_;
  // The finder as a tool beside the window (with a presenter); alone it is modal.
  std::unique_ptr<DiscoveryDialog> finder_;
  std::optional<ModuleLine> pendingFollow_;  // clicked while the moving command ran
  QWidget* focusBeforeCommand_ = nullptr;
};
