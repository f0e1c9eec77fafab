#include "app/dolvane_cai_ji_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <utility>

#include "app/about_dlg.h"
#include "app/app_icon.h"
#include "app/bus_view_window.h"
#include "app/cjk_fonts.h"
#include "app/commission_dialog.h"
#include "app/discovery_dialog.h"
#include "app/dialog_units.h"
#include "app/journal_window.h"
#include "app/list_only_combo_box.h"
#include "app/main_window_layout.h"
#include "app/message_boxes.h"
#include "app/model_choice_dialog.h"
#include "app/monitor_controller.h"
#include "app/qt_session_view.h"
#include "app/qt_form.h"
#include "app/register_table_pane.h"
#include "app/template_group_box.h"
#include "app/traffic_window.h"
#include "app/trend_plot_window.h"
#include "app/window_placement.h"
#include "bus/scan_to_bus.h"
#include "console/control_ids.h"
#include "layout/form_model.h"
#include "layout/main_window_texts.h"
#include "link/port_by_name.h"
#include "link/traffic_tap.h"
#include "models/model_registry.h"
#include "monitor/monitor_texts.h"
#include "monitoring/monitor_layout.h"
#include "session/session.h"
#include "session/window_set_up.h"
#include "tools/register_table.h"

namespace {


QWidget* NewPane(QWidget* parent) {
  auto* pane = new QPlainTextEdit(parent);
  pane->setReadOnly(true);
  pane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);  // lines scroll sideways, as the report is laid out
  pane->setUndoRedoEnabled(false);
  return pane;
}

// Enter in an edit or a combo presses nothing here, so no button may look like
// the default one; Enter on a focused button is handled by the window.
QWidget* NewButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QWidget* NewDigitEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  return edit;
}

QWidget* NewLabel(const QString& text, Qt::Alignment horizontal, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(horizontal | Qt::AlignTop);
  return label;
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kCentredLabel &&
         kind != ControlKind::kGroupBox;
}

void FillCombo(QComboBox* combo, const QStringList& entries, int selected) {
  combo->addItems(entries);
  combo->setCurrentIndex(selected);
}

}  // namespace

CDolvaneCaiJiDlg::CDolvaneCaiJiDlg(PortOffer offerPorts) {
  // A top-level window with caption and close box only: no resizing, no minimise or maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromStdString(MainWindowTitle()));
  setFont(DialogFont(kMainWindowFontPoints));

  createControls();
  form_ = std::make_unique<QtForm>(*this);
  view_ = std::make_unique<QtSessionView>(*this, *progressBar_, std::move(offerPorts));
  view_->setFollow([this](const ModuleLine& line) { followModule(line); });
  view_->showRegistersIn([this](const StationRegisters& block) { registersRead(block); },
                         [this](const StationRegisters& block) { registersWritten(block); });
  auto tap = std::make_unique<TrafficTap>(NewPortByName());
  tap_ = tap.get();
  session_ = std::make_unique<Session>(*view_, *view_, std::move(tap));

  addToolActions();
  addAboutAction();
  setWindowIcon(AppIcon());
  setFixedSize(DialogUnits::ofFont(font(), this).toPixels(kMainWindowWidthDlu, kMainWindowHeightDlu));
  CentreOnScreen(*this);
  control(ids::kOutputPane)->setFont(PaneFont());
  fillForm(InitialForm());
  journalPath_ = SetUpWindowOperations(operations());
  {
    const QSignalBlocker quiet(readBeforeWrite_);
    readBeforeWrite_->setChecked(operations().readsBeforeWrite());
  }
  view_->setPaneText(welcomeText());
  bindCommands();
  createMonitorControls(DialogUnits::ofFont(font(), this));
}

CDolvaneCaiJiDlg::~CDolvaneCaiJiDlg() {
  finder_.reset();         // its runs are the session's jobs
  busView_.reset();        // its polls run on the session
  trafficWindow_.reset();  // lets go of the tap, which the session's port owns
  session_.reset();        // ends the worker; nothing it posted runs after this
}

Operations& CDolvaneCaiJiDlg::operations() { return session_->operationsForSetUp(); }

QWidget* CDolvaneCaiJiDlg::control(int controlId) const {
  return findChild<QWidget*>(ControlName(controlId));
}

bool CDolvaneCaiJiDlg::commandRunning() const { return session_->busy(); }

std::string CDolvaneCaiJiDlg::welcomeText() { return WelcomeText(); }

void CDolvaneCaiJiDlg::createControls() {
  const DialogUnits units = DialogUnits::ofFont(font(), this);
  std::vector<QWidget*> groupBoxes;
  for (const ControlDef& def : MainWindowControls()) {
    QWidget* widget = createControl(def);
    widget->setGeometry(placeOf(def, units));
    if (def.id != 0) widget->setObjectName(ControlName(def.id));
    if (def.kind == ControlKind::kGroupBox) groupBoxes.push_back(widget);
  }
  // Group boxes only frame their neighbours; beneath them, they take no clicks away.
  for (QWidget* box : groupBoxes) box->lower();
  chainTabOrder();

  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName(QStringLiteral("scanProgress"));
  progressBar_->setGeometry(units.toPixels(kProgressBarRect));
  progressBar_->setTextVisible(true);
  progressBar_->setFormat(QStringLiteral("%v/%m"));
  progressBar_->hide();
}

QRect CDolvaneCaiJiDlg::placeOf(const ControlDef& def, const DialogUnits& units) const {
  const QRect rect = units.toPixels(def.rect);
  const bool label = def.kind == ControlKind::kLabel || def.kind == ControlKind::kCentredLabel;
  return label ? TextLineRect(rect, font(), this) : rect;
}

QWidget* CDolvaneCaiJiDlg::createControl(const ControlDef& def) {
  const QString text = QString::fromUtf8(CaptionOf(def));
  switch (def.kind) {
    case ControlKind::kButton:
      return NewButton(text, this);
    case ControlKind::kHiddenButton: {
      QWidget* button = NewButton(text, this);
      button->hide();  // its operation is not for the user
      return button;
    }
    case ControlKind::kPane:
      return NewPane(this);
    case ControlKind::kDigitEdit:
      return NewDigitEdit(this);
    case ControlKind::kCombo:
      return new ListOnlyComboBox(this);
    case ControlKind::kLabel:
      return NewLabel(text, Qt::AlignLeft, this);
    case ControlKind::kCentredLabel:
      return NewLabel(text, Qt::AlignHCenter, this);
    case ControlKind::kGroupBox:
      return new TemplateGroupBox(text, this);
  }
  return nullptr;
}

void CDolvaneCaiJiDlg::chainTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlDef& def : MainWindowControls()) {
    if (!TakesFocus(def.kind)) continue;
    QWidget* current = control(def.id);
    if (previous) QWidget::setTabOrder(previous, current);
    previous = current;
  }
}

// Linux window managers offer no system menu to extend: the About box is on
// the window's context menu and on F1.
void CDolvaneCaiJiDlg::addAboutAction() {
  auto* about = new QAction(QString::fromUtf8(kAboutItem.text()), this);
  about->setShortcut(QKeySequence(Qt::Key_F1));
  about->setShortcutContext(Qt::WindowShortcut);
  connect(about, &QAction::triggered, this, &CDolvaneCaiJiDlg::showAbout);
  addAction(about);
  aboutAction_ = about;
  setContextMenuPolicy(Qt::ActionsContextMenu);

  // The pane keeps its copy menu and offers the About item below it.
  auto* pane = static_cast<QPlainTextEdit*>(control(ids::kOutputPane));
  pane->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& at) {
    std::unique_ptr<QMenu> menu(pane->createStandardContextMenu(at));
    menu->addSeparator();
    menu->addActions(actions());
    menu->exec(pane->viewport()->mapToGlobal(at));
  });
}

// Tools that leave the window's own controls where they are: on the context menu too.
void CDolvaneCaiJiDlg::addToolActions() {
  const auto add = [this](Tool tool, const char* text, const QKeySequence& key) {
    auto* action = new QAction(QString::fromUtf8(text), this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, tool] { showTool(tool); });
    addAction(action);
    toolActions_[tool] = action;
  };
  add(Tool::kTraffic, kTrafficItem, QKeySequence(Qt::CTRL | Qt::Key_M));
  add(Tool::kFinder, kDiscoveryItem, QKeySequence(Qt::CTRL | Qt::Key_F));
  add(Tool::kBusView, kBusViewItem, QKeySequence(Qt::CTRL | Qt::Key_B));
  add(Tool::kJournal, kJournalItem, QKeySequence(Qt::CTRL | Qt::Key_J));
  add(Tool::kRegisterTable, kRegisterTableItem, QKeySequence(Qt::CTRL | Qt::Key_T));

  readBeforeWrite_ = new QAction(QString::fromUtf8(kReadBeforeWriteItem.text()), this);
  readBeforeWrite_->setCheckable(true);
  // Set on the worker, between commands; a click while one runs is undone.
  connect(readBeforeWrite_, &QAction::toggled, this, [this](bool on) {
    if (!runExclusive([on](Operations& ops) { ops.setReadBeforeWrite(on); })) {
      const QSignalBlocker quiet(readBeforeWrite_);
      readBeforeWrite_->setChecked(!on);
    }
  });
  addAction(readBeforeWrite_);
}

void CDolvaneCaiJiDlg::setToolPresenter(ToolPresenter presenter) {
  presenter_ = std::move(presenter);
  monitor_->setPlotPresenter([this](QWidget& plot) { present(Tool::kTrend, plot); });
}

QAction* CDolvaneCaiJiDlg::toolAction(Tool tool) const {
  const auto found = toolActions_.find(tool);
  return found == toolActions_.end() ? nullptr : found->second;
}

void CDolvaneCaiJiDlg::showTool(Tool tool) {
  switch (tool) {
    case Tool::kTraffic: showTrafficWindow(); return;
    case Tool::kFinder: showDiscovery(); return;
    case Tool::kBusView: showBusView(); return;
    case Tool::kJournal: showJournalWindow(); return;
    case Tool::kTrend: present(Tool::kTrend, monitor_->plotWindow()); return;
    case Tool::kRegisterTable: showRegisterTable(); return;
  }
}

void CDolvaneCaiJiDlg::present(Tool tool, QWidget& widget) {
  if (presenter_) return presenter_(tool, widget);
  widget.show();
  widget.raise();
  widget.activateWindow();
}

JournalWindow* CDolvaneCaiJiDlg::showJournalWindow() {
  if (!journalWindow_) journalWindow_ = new JournalWindow(journalPath_, this);
  present(Tool::kJournal, *journalWindow_);
  return journalWindow_;
}

RegisterTablePane* CDolvaneCaiJiDlg::registerTablePane() {
  if (!registerTable_) {
    registerTable_ = new RegisterTablePane(commandRunner(), this);
    registerTable_->setWindowFlags(registerTable_->windowFlags() | Qt::Window);
    registerTable_->setEditable(portFree());
    if (lastRead_) registerTable_->showRead(*lastRead_);
  }
  return registerTable_;
}

RegisterTablePane* CDolvaneCaiJiDlg::showRegisterTable() {
  RegisterTablePane* pane = registerTablePane();
  present(Tool::kRegisterTable, *pane);
  return pane;
}

void CDolvaneCaiJiDlg::registersRead(const StationRegisters& block) {
  lastRead_ = block;
  if (registerTable_) registerTable_->showRead(block);
}

void CDolvaneCaiJiDlg::registersWritten(const StationRegisters& block) {
  if (lastRead_) ApplyWritten(*lastRead_, block);
  if (registerTable_) registerTable_->showWritten(block);
}

BusViewWindow* CDolvaneCaiJiDlg::showBusView() {
  if (!busView_) {
    busView_ = std::make_unique<BusViewWindow>(*session_, [this] { return portFree(); });
    busView_->setParent(this, busView_->windowFlags() | Qt::Window);
    // While the bus is polled every command is greyed, as while monitoring.
    connect(busView_.get(), &BusViewWindow::pollingChanged, this, [this](bool running) {
      setCommandsEnabled(!running);
    });
    connect(busView_.get(), &BusViewWindow::commissionRequested, this, &CDolvaneCaiJiDlg::showCommissioning);
  }
  present(Tool::kBusView, *busView_);
  return busView_.get();
}

void CDolvaneCaiJiDlg::showCommissioning() {
  if (!portFree() || !busView_) return;
  BusViewCore& core = busView_->core();
  if (core.bus().modules.empty() && core.path().empty()) {
    // A new cabinet: the line the port is open on.
    BusFile fresh;
    fresh.port = operations().link().portName;
    fresh.baudRate = operations().link().baudRate;
    fresh.lineFormat = operations().link().lineFormat;
    core.show(fresh);
  }
  const std::string path = busView_->busFileForCommissioning();
  if (path.empty()) return;
  CommissionDialog dialog(commandRunner(), core.bus(), path, busView_.get());
  dialog.exec();
  if (dialog.added() > 0) core.open(path);
}

bool CDolvaneCaiJiDlg::busPolling() const { return busView_ && busView_->core().running(); }

void CDolvaneCaiJiDlg::showScannedBus(const FinderRun::Scan& scan) {
  ScannedBus scanned = BusFromScan(scan.found, scan.port, scan.baudRate, scan.lineFormat);
  PickScannedModels(this, scanned);
  BusViewWindow* view = showBusView();
  view->showBus(scanned.bus);
  if (const std::string note = UnnamedStationsNote(scanned.unnamed); !note.empty())
    OpenInfoBox(view, QString::fromStdString(note), [] {});
}

TrafficWindow* CDolvaneCaiJiDlg::showTrafficWindow() {
  if (!trafficWindow_) {
    trafficWindow_ = std::make_unique<TrafficWindow>(*tap_);
    // A child window: the main window is modal, and only its own windows take input beside it.
    trafficWindow_->setParent(this, trafficWindow_->windowFlags() | Qt::Window);
  }
  present(Tool::kTraffic, *trafficWindow_);
  return trafficWindow_.get();
}

void CDolvaneCaiJiDlg::showDiscovery() {
  if (presenter_) return showFinderBeside();
  if (commandRunning()) return;
  const std::unique_ptr<DiscoveryDialog> dialog = newFinder();
  if (dialog->exec() == DiscoveryDialog::kMakeBus && dialog->lastScan()) showScannedBus(*dialog->lastScan());
}

std::unique_ptr<DiscoveryDialog> CDolvaneCaiJiDlg::newFinder() {
  auto finder = std::make_unique<DiscoveryDialog>(commandRunner(), [this] { session_->requestCancel(); }, this);
  connect(finder.get(), &DiscoveryDialog::followRequested, this, &CDolvaneCaiJiDlg::followModule);
  return finder;
}

// Beside the window the finder is not modal: it ends (生成总线…, 关闭) by hiding.
void CDolvaneCaiJiDlg::showFinderBeside() {
  if (!finder_) {
    finder_ = newFinder();
    connect(finder_.get(), &QDialog::finished, this, [this](int result) {
      if (result == DiscoveryDialog::kMakeBus && finder_->lastScan()) showScannedBus(*finder_->lastScan());
    });
  }
  present(Tool::kFinder, *finder_);
}

void CDolvaneCaiJiDlg::prefill(int baudIndex, int formatIndex, const QString& station, const std::string& portEntry) {
  const int baudCount = static_cast<QComboBox*>(control(ids::kBaudRate))->count();
  const int formatCount = static_cast<QComboBox*>(control(ids::kLineFormat))->count();
  if (baudIndex >= 0 && baudIndex < baudCount && formatIndex >= 0 && formatIndex < formatCount) {
    view_->lineSettingsChanged(baudIndex, formatIndex);
    operations().OnCbnSelchangeBaudRate(baudIndex);
    operations().OnCbnSelchangeLineFormat(formatIndex);
  }
  static_cast<QLineEdit*>(control(ids::kStation))->setText(station);
  view_->setLastPortEntry(portEntry);
}

void CDolvaneCaiJiDlg::followModule(const ModuleLine& line) {
  if (!portFree()) {
    pendingFollow_ = line;  // the command that moved the module still holds the port
    return;
  }
  view_->lineSettingsChanged(line.baudIndex, line.formatIndex);
  static_cast<QLineEdit*>(control(ids::kStation))->setText(QString::number(line.station));
  runExclusive([line](Operations& ops) { ops.SwitchToLine(line.baudIndex, line.formatIndex); });
}

void CDolvaneCaiJiDlg::showAbout() {
  if (commandRunning()) return;
  CAboutDlg about(this);
  about.exec();
}

void CDolvaneCaiJiDlg::fillForm(const FormValues& form) {
  for (const auto& [id, text] : form.fields)
    static_cast<QLineEdit*>(control(id))->setText(QString::fromStdString(text));
  for (const auto& [id, selected] : form.combos) {
    QStringList entries;
    for (const std::string& entry : ComboEntries(id)) entries << QString::fromStdString(entry);
    FillCombo(static_cast<QComboBox*>(control(id)), entries, selected);
  }
}

void CDolvaneCaiJiDlg::bindCommands() {
  for (const Command& command : CommandTable()) {
    const auto run = [this, &command] { runCommand(command); };
    if (command.event == CommandEvent::kClick) {
      connect(static_cast<QPushButton*>(control(command.controlId)), &QPushButton::clicked, this, run);
    } else {
      // activated: a list choice of the user, never a selection set by code.
      connect(static_cast<QComboBox*>(control(command.controlId)), &QComboBox::activated, this, run);
    }
  }
}

bool CDolvaneCaiJiDlg::portFree() const { return !session_->busy() && !monitor_->running() && !busPolling(); }

void CDolvaneCaiJiDlg::runCommand(const Command& command) {
  if (!portFree()) return;
  monitor_->commandStarts(command.controlId);
  runExclusive(command.bind(*form_));
}

CommandRunner CDolvaneCaiJiDlg::commandRunner() {
  return [this](std::function<void(Operations&)> job, std::function<void()> done) {
    return runExclusive(std::move(job), std::move(done));
  };
}

bool CDolvaneCaiJiDlg::runExclusive(std::function<void(Operations&)> job, std::function<void()> done) {
  if (!portFree()) return false;  // one command at a time, none while monitoring
  setCommandsEnabled(false);
  return session_->submit(std::move(job), [this, done = std::move(done)] {
    progressBar_->hide();
    setCommandsEnabled(true);
    if (done) done();
    emit linkChanged();
    if (pendingFollow_) followModule(*std::exchange(pendingFollow_, std::nullopt));
  });
}

void CDolvaneCaiJiDlg::setCommandsEnabled(bool enabled) {
  // A greyed button loses the focus; it comes back with the button.
  if (!enabled) focusBeforeCommand_ = focusWidget();
  for (const Command& command : CommandTable()) control(command.controlId)->setEnabled(enabled);
  monitorSwitch_->setEnabled((enabled && !busPolling()) || monitor_->running());
  if (registerTable_) registerTable_->setEditable(enabled);
  if (enabled && focusBeforeCommand_ && focusBeforeCommand_->isEnabled()) focusBeforeCommand_->setFocus();
}

void CDolvaneCaiJiDlg::createMonitorControls(const DialogUnits& units) {
  monitorSwitch_ = new QCheckBox(QString::fromUtf8(kMonitorSwitchText.text()), this);
  monitorSwitch_->setObjectName(QStringLiteral("monitorSwitch"));
  monitorSwitch_->setGeometry(units.toPixels(kMonitorSwitchRect));
  monitorStatus_ = new QLabel(this);
  monitorStatus_->setObjectName(QStringLiteral("monitorStatus"));
  monitorStatus_->setGeometry(TextLineRect(units.toPixels(kMonitorStatusRect), font(), this));
  monitorStatus_->hide();
  monitor_ = std::make_unique<MonitorController>(
      *this, *form_, *session_, *static_cast<QPlainTextEdit*>(control(ids::kOutputPane)), *monitorStatus_);
  connect(monitorSwitch_, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) {
      monitor_->stop();
    } else if (!monitor_->start()) {
      const QSignalBlocker quiet(monitorSwitch_);
      monitorSwitch_->setChecked(false);
    }
  });
  connect(monitor_.get(), &MonitorController::runningChanged, this, &CDolvaneCaiJiDlg::monitoringChanged);
}

// While monitoring runs, every command's control is greyed (runCommand refuses
// them as well); the switch shows whether it runs.
void CDolvaneCaiJiDlg::monitoringChanged(bool running) {
  setCommandsEnabled(!running);
  const QSignalBlocker quiet(monitorSwitch_);
  monitorSwitch_->setChecked(running);
}

void CDolvaneCaiJiDlg::keyPressEvent(QKeyEvent* event) {
  // Escape and Enter would end the dialog and lose the report and the open port.
  // Enter on a focused push button runs that button's operation.
  const int key = event->key();
  const bool enter = key == Qt::Key_Enter || key == Qt::Key_Return;
  if (enter || key == Qt::Key_Escape || event->matches(QKeySequence::Cancel)) {
    event->accept();
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button && button->isVisible() && button->isEnabled()) button->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool CDolvaneCaiJiDlg::readyToClose() {
  monitor_->stop();
  if (busView_) busView_->core().stop();
  // The running command or poll owns the port until it returns.
  if (commandRunning() || monitor_->busy() || (busView_ && busView_->core().busy())) return false;
  if (trafficWindow_) trafficWindow_->close();
  if (busView_) busView_->close();
  return true;
}

void CDolvaneCaiJiDlg::closeEvent(QCloseEvent* event) {
  if (!readyToClose()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}
