#include "app/workbench_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>

#include "app/bus_view_window.h"
#include "app/main_window_layout.h"
#include "app/tool_dock.h"
#include "app/trend_plot_window.h"
#include "app/traffic_window.h"
#include "app/window_placement.h"
#include "console/control_ids.h"
#include "layout/main_window_texts.h"
#include "layout/port_status.h"

namespace {

// Where the settings keep what the window remembers.
namespace key {
constexpr const char* kGeometry = "window/geometry";
constexpr const char* kDocks = "window/docks";
constexpr const char* kOpenDocks = "window/openDocks";
constexpr const char* kPort = "port/entry";
constexpr const char* kBaudIndex = "line/baudIndex";
constexpr const char* kFormatIndex = "line/formatIndex";
constexpr const char* kStation = "form/station";
constexpr const char* kBusFolder = "folders/bus";
constexpr const char* kTrendKeys = "trend/keys";
constexpr const char* kTrendMinutes = "trend/minutes";
}  // namespace key

// Room a dock opened beside the dialog asks for, in pixels, where the screen has it.
constexpr int kDockWidth = 540;

struct DockedTool {
  WorkbenchWindow::Tool tool;
  const char* name;
  const char* title;
};
constexpr DockedTool kToolDocks[] = {
    {WorkbenchWindow::Tool::kTrend, "trendDock", QT_TRANSLATE_NOOP("WorkbenchWindow", "监视")},
    {WorkbenchWindow::Tool::kTraffic, "trafficDock", QT_TRANSLATE_NOOP("WorkbenchWindow", "通讯监视")},
    {WorkbenchWindow::Tool::kBusView, "busViewDock", QT_TRANSLATE_NOOP("WorkbenchWindow", "总线视图")},
    {WorkbenchWindow::Tool::kFinder, "finderDock", QT_TRANSLATE_NOOP("WorkbenchWindow", "查找模块")},
    {WorkbenchWindow::Tool::kJournal, "journalDock", QT_TRANSLATE_NOOP("WorkbenchWindow", "写入记录")},
    {WorkbenchWindow::Tool::kRegisterTable, "registerTableDock", QT_TRANSLATE_NOOP("WorkbenchWindow", "寄存器表")},
};

const DockedTool& DockedToolOf(WorkbenchWindow::Tool tool) {
  return *std::find_if(std::begin(kToolDocks), std::end(kToolDocks),
                       [tool](const DockedTool& docked) { return docked.tool == tool; });
}

QComboBox* Combo(const CDolvaneCaiJiDlg& dialog, int id) { return static_cast<QComboBox*>(dialog.control(id)); }
QLineEdit* Field(const CDolvaneCaiJiDlg& dialog, int id) { return static_cast<QLineEdit*>(dialog.control(id)); }

}  // namespace

WorkbenchWindow::WorkbenchWindow(PortOffer offerPorts) {
  setWindowTitle(QString::fromStdString(MainWindowTitle()));
  setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);

  dialog_ = new CDolvaneCaiJiDlg(std::move(offerPorts));
  dialog_->setWindowFlags(Qt::Widget);  // embedded: its layout, size and keys stay its own
  setCentralWidget(dialog_);
  dialog_->setToolPresenter([this](Tool tool, QWidget& widget) { present(tool, widget); });

  createMenus();
  portStatus_ = new QLabel(this);
  portStatus_->setObjectName(QStringLiteral("portStatus"));
  statusBar()->addWidget(portStatus_, 1);
  statusBar()->setSizeGripEnabled(false);
  connect(dialog_, &CDolvaneCaiJiDlg::linkChanged, this, &WorkbenchWindow::showPortStatus);

  restoreSettings();
  showPortStatus();
}

// The dialog goes first: its tools in the docks are its own, and they let go of
// the session before the session ends.
WorkbenchWindow::~WorkbenchWindow() { delete dialog_; }

// Made when first wanted, so the first paint waits for none of them: where the
// last run left it, else tabbed with the others on the right.
QDockWidget* WorkbenchWindow::dock(Tool tool) {
  if (const auto made = docks_.find(tool); made != docks_.end()) return made->second;
  const DockedTool& docked = DockedToolOf(tool);
  auto* dock = new ToolDock(tr(docked.title), this);
  dock->setObjectName(QString::fromLatin1(docked.name));  // saveState names docks by it
  dock->setOpener([this, tool] { dialog_->showTool(tool); });
  dock->hide();
  if (!restoreDockWidget(dock)) {
    addDockWidget(Qt::RightDockWidgetArea, dock);
    if (firstDock_) tabifyDockWidget(firstDock_, dock);
    dock->hide();  // a first start shows the dialog alone
  }
  if (!firstDock_) firstDock_ = dock;
  if (QAction* toggle = viewToggles_[tool]) {
    toggle->setChecked(!dock->isHidden());
    connect(dock->toggleViewAction(), &QAction::toggled, toggle, &QAction::setChecked);
  }
  docks_[tool] = dock;
  return dock;
}

QWidget* WorkbenchWindow::toolIn(Tool tool) const {
  const auto made = docks_.find(tool);
  return made == docks_.end() ? nullptr : static_cast<ToolDock*>(made->second)->tool();
}

QStringList WorkbenchWindow::openDockNames() const {
  QStringList names;
  for (const auto& [tool, dock] : docks_)
    if (!dock->isHidden()) names << dock->objectName();
  return names;
}

void WorkbenchWindow::createMenus() {
  createFileMenu();

  // The dialog's own items: one action each, so a key does not fire twice;
  // from the menu bar they work whichever window or dock has the focus.
  const auto shared = [this](QAction* action) {
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
  };
  QMenu* toolMenu = menuBar()->addMenu(tr("工具(&T)"));
  QAction* monitor = toolMenu->addAction(tr("监视(&W)..."));
  connect(monitor, &QAction::triggered, this, [this] { dialog_->showTool(Tool::kTrend); });
  toolMenu->addAction(shared(dialog_->toolAction(Tool::kTraffic)));
  toolMenu->addAction(shared(dialog_->toolAction(Tool::kFinder)));
  toolMenu->addAction(shared(dialog_->toolAction(Tool::kBusView)));
  toolMenu->addAction(shared(dialog_->toolAction(Tool::kRegisterTable)));
  toolMenu->addAction(shared(dialog_->toolAction(Tool::kJournal)));
  toolMenu->addSeparator();
  toolMenu->addAction(dialog_->readBeforeWriteAction());

  QMenu* viewMenu = menuBar()->addMenu(tr("视图(&V)"));
  // A dock's own toggle exists once the dock does; these stand for it before.
  for (const DockedTool& docked : kToolDocks) {
    QAction* toggle = viewMenu->addAction(tr(docked.title));
    toggle->setCheckable(true);
    const Tool tool = docked.tool;
    connect(toggle, &QAction::triggered, this, [this, tool](bool on) {
      if (on) dialog_->showTool(tool);
      else dock(tool)->close();
    });
    viewToggles_[tool] = toggle;
  }
  viewMenu->addSeparator();
  QAction* statusShown = viewMenu->addAction(tr("状态栏(&S)"));
  statusShown->setCheckable(true);
  statusShown->setChecked(true);
  connect(statusShown, &QAction::toggled, statusBar(), &QWidget::setVisible);

  QMenu* help = menuBar()->addMenu(tr("帮助(&H)"));
  help->addAction(shared(dialog_->aboutAction()));
}

// The bus view's and the traffic window's own 打开…/保存…/调试报告… behind the
// menu's items: each shows its tool first, so its box has its window.
void WorkbenchWindow::createFileMenu() {
  QMenu* file = menuBar()->addMenu(tr("文件(&F)"));
  const auto onBusView = [this](void (BusViewWindow::*act)()) {
    return [this, act] { (dialog_->showBusView()->*act)(); };
  };
  connect(file->addAction(tr("打开总线文件(&O)...")), &QAction::triggered, this,
          onBusView(&BusViewWindow::openWithDialog));
  connect(file->addAction(tr("保存总线文件(&S)...")), &QAction::triggered, this,
          [this] { dialog_->showBusView()->saveWithDialog(); });
  file->addSeparator();
  connect(file->addAction(tr("导出调试报告(&R)...")), &QAction::triggered, this,
          onBusView(&BusViewWindow::reportWithDialog));
  connect(file->addAction(tr("导出通讯记录(&E)...")), &QAction::triggered, this,
          [this] { dialog_->showTrafficWindow()->saveWithDialog(); });
  file->addSeparator();
  connect(file->addAction(tr("退出(&X)")), &QAction::triggered, this, &QWidget::close);
}

void WorkbenchWindow::present(Tool tool, QWidget& widget) {
  auto* dock = static_cast<ToolDock*>(this->dock(tool));
  if (tool == Tool::kBusView && dock->tool() != &widget)
    static_cast<BusViewWindow&>(widget).setLastFolder(busFolder_);
  if (tool == Tool::kTrend && dock->tool() != &widget && trendPicks_)
    static_cast<TrendPlotWindow&>(widget).setPicks(*trendPicks_);
  dock->hold(widget);
  showDock(dock);
}

void WorkbenchWindow::showDock(QDockWidget* dock) {
  const bool opening = dock->isHidden();
  if (opening) makeRoomFor(dock);
  dock->show();
  dock->raise();
  if (opening && !dock->isFloating()) resizeDocks({dock}, {kDockWidth}, Qt::Horizontal);
  if (auto* tool = static_cast<ToolDock*>(dock)->tool()) tool->setFocus();
}

// A dock opens beside the dialog, which keeps its size: the window grows to
// the right as far as the screen allows, and moves left to stay on it.
void WorkbenchWindow::makeRoomFor(QDockWidget* dock) {
  if (dock->isFloating() || isMaximized() || isFullScreen() || !screen()) return;
  const QRect room = screen()->availableGeometry();
  const int frameExtra = frameGeometry().width() - width();
  const int wanted = std::min(room.width() - frameExtra, centralWidget()->width() + kDockWidth);
  if (width() >= wanted) return;
  resize(wanted, height());
  const QRect frame = frameGeometry();
  if (frame.right() > room.right()) move(std::max(room.left(), room.right() + 1 - frame.width()), frame.top());
}

void WorkbenchWindow::showPortStatus() {
  const LinkState& link = dialog_->operations().link();
  const int baudIndex = Combo(*dialog_, ids::kBaudRate)->currentIndex();
  const int formatIndex = Combo(*dialog_, ids::kLineFormat)->currentIndex();
  portStatus_->setText(QString::fromStdString(PortStatusText(link, baudIndex, formatIndex)));
}

void WorkbenchWindow::restoreSettings() {
  const QSettings settings;
  // A first start: the window as the dialog alone would open, centred.
  if (!restoreGeometry(settings.value(key::kGeometry).toByteArray())) {
    adjustSize();
    CentreOnScreen(*this);
  }
  // The docks open at the end of the last run are made for the layout to hold;
  // the others take their places from it when first made.
  const QStringList open = settings.value(key::kOpenDocks).toStringList();
  for (const DockedTool& docked : kToolDocks)
    if (open.contains(QString::fromLatin1(docked.name))) dock(docked.tool);
  restoreState(settings.value(key::kDocks).toByteArray());
  const int baudIndex = settings.value(key::kBaudIndex, Combo(*dialog_, ids::kBaudRate)->currentIndex()).toInt();
  const int formatIndex = settings.value(key::kFormatIndex, Combo(*dialog_, ids::kLineFormat)->currentIndex()).toInt();
  const QString station = settings.value(key::kStation, Field(*dialog_, ids::kStation)->text()).toString();
  dialog_->prefill(baudIndex, formatIndex, station, settings.value(key::kPort).toString().toStdString());
  busFolder_ = settings.value(key::kBusFolder).toString();
  if (settings.contains(key::kTrendMinutes)) {
    TrendPlotWindow::Picks picks;
    for (const QString& k : settings.value(key::kTrendKeys).toStringList()) picks.keys.push_back(k.toStdString());
    picks.minutes = settings.value(key::kTrendMinutes).toInt();
    trendPicks_ = picks;
  }
}

void WorkbenchWindow::saveSettings(const QByteArray& docks, const QStringList& openDocks) const {
  QSettings settings;
  settings.setValue(key::kGeometry, saveGeometry());
  settings.setValue(key::kDocks, docks);
  settings.setValue(key::kOpenDocks, openDocks);
  const std::string& port = dialog_->operations().link().portName;
  if (!port.empty()) settings.setValue(key::kPort, QString::fromStdString(port));
  settings.setValue(key::kBaudIndex, Combo(*dialog_, ids::kBaudRate)->currentIndex());
  settings.setValue(key::kFormatIndex, Combo(*dialog_, ids::kLineFormat)->currentIndex());
  settings.setValue(key::kStation, Field(*dialog_, ids::kStation)->text());
  const auto* busView = static_cast<BusViewWindow*>(toolIn(Tool::kBusView));
  settings.setValue(key::kBusFolder, busView ? busView->lastFolder() : busFolder_);
  // The trend made this run says what it shows; otherwise the picks read at start stay.
  const auto* trend = static_cast<TrendPlotWindow*>(toolIn(Tool::kTrend));
  if (const auto picks = trend ? std::optional(trend->picks()) : trendPicks_) {
    QStringList keys;
    for (const std::string& k : picks->keys) keys << QString::fromStdString(k);
    settings.setValue(key::kTrendKeys, keys);
    settings.setValue(key::kTrendMinutes, picks->minutes);
  }
}

// The dialog's close rules: nothing closes while a command or a poll holds the
// port. The settings are read once it is free; the layout before the tools
// close with the dialog.
void WorkbenchWindow::closeEvent(QCloseEvent* event) {
  const QByteArray docks = saveState();
  const QStringList openDocks = openDockNames();
  if (!dialog_->readyToClose()) {
    event->ignore();
    return;
  }
  saveSettings(docks, openDocks);
  QMainWindow::closeEvent(event);
}
