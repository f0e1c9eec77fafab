#include "win/main_dialog.h"

#include "console/control_ids.h"
#include "dolvane_version.h"
#include "console/texts.h"
#include "layout/about_dialog_template.h"
#include "layout/form_model.h"
#include "layout/main_window_controls.h"
#include "layout/main_window_texts.h"
#include "link/link.h"
#include "link/port_by_name.h"
#include "link/ports.h"
#include "link/traffic_tap.h"
#include "models/in_process_bus.h"
#include "operations/operations.h"
#include "session/session.h"
#include "session/window_set_up.h"
#include "win/bus_view_window.h"
#include "win/child_windows.h"
#include "win/dialog_template.h"
#include "win/dialog_texts.h"
#include "win/finder_dialog.h"
#include "win/resource.h"
#include "win/tool_menu.h"
#include "win/traffic_window.h"
#include "win/utf16.h"
#include "win/win_monitor.h"
#include "win/win_form.h"
#include "win/win_session_view.h"

namespace {

void FillCombo(HWND dialog, int id, const std::vector<std::string>& entries, int selected) {
  for (const std::string& entry : entries)
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(entry).c_str()));
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void FillForm(HWND dialog, const FormValues& form) {
  for (const auto& [id, text] : form.fields) SetDlgItemTextW(dialog, id, Utf16(text).c_str());
  for (const auto& [id, selected] : form.combos) FillCombo(dialog, id, ComboEntries(id), selected);
}

void AppendAboutItem(HWND dialog) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, IDM_ABOUT, Utf16(kAboutItem).c_str());
}

// Serial ports, serial servers and Modbus TCP by name, and the simulated bus by its own.
std::unique_ptr<SerialPort> WindowPort(InProcessBus* simulated) {
  auto port = std::make_unique<PortByName>(NewPlatformSerialPort(), NewTcpPort());
  if (simulated) port->addNamed(simulated->portName(), simulated->newPort());
  return port;
}

PortOffer OfferOf(InProcessBus* simulated) {
  if (!simulated) return {};
  return [simulated] { return std::vector<PortChoice>{{simulated->portName(), simulated->describe(), {}}}; };
}

CommandEvent EventOf(int notification) {
  return notification == CBN_SELCHANGE ? CommandEvent::kSelectionChange : CommandEvent::kClick;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    TranslateDialogTexts(dialog);
    const std::string notice = std::string(Tr("layout", ABOUT_DIALOG_NOTICE_PREFIX)) + kDolvaneVersion + ABOUT_DIALOG_NOTICE_SUFFIX;
    SetDlgItemTextW(dialog, IDC_ABOUT_NOTICE, Utf16(notice).c_str());
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunAboutDialog(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc, 0);
}

MainDialog::MainDialog(InProcessBus* simulated) : simulated_(simulated) {}

MainDialog::~MainDialog() {
  if (paneFont_) DeleteObject(paneFont_);
  if (toolKeys_) DestroyAcceleratorTable(toolKeys_);
}

void MainDialog::run(HINSTANCE instance) {
  icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  const DialogTemplate form = BuildMainWindowTemplate(MainWindowTitle());
  if (!CreateDialogIndirectParamW(instance, form.get(), nullptr, Proc, reinterpret_cast<LPARAM>(this))) return;
  ShowWindow(dialog_, SW_SHOW);
  runMessageLoop();
}

void MainDialog::runMessageLoop() {
  toolKeys_ = NewToolAccelerators();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    const bool inMain = message.hwnd == dialog_ || IsChild(dialog_, message.hwnd);
    if (inMain && TranslateAcceleratorW(dialog_, toolKeys_, &message)) continue;
    if (traffic_ && IsDialogMessageW(traffic_->window(), &message)) continue;
    if (busView_ && IsDialogMessageW(busView_->window(), &message)) continue;
    // Enter and Escape become IDOK and IDCANCEL here, which close nothing.
    if (IsDialogMessageW(dialog_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void MainDialog::initialise(HWND dialog) {
  dialog_ = dialog;
  view_ = std::make_unique<WinSessionView>(dialog, OfferOf(simulated_));
  form_ = std::make_unique<WinForm>(dialog);
  auto tap = std::make_unique<TrafficTap>(WindowPort(simulated_));
  tap_ = tap.get();
  session_ = std::make_unique<Session>(*view_, *view_, std::move(tap));
  FitLabelsToText(dialog);
  createMonitor();  // before the form is filled: its edits report their changes
  AppendAboutItem(dialog);
  SendPaneContextMenuToParent(GetDlgItem(dialog, ids::kOutputPane));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  paneFont_ = NewPaneFont(dialog);
  SendDlgItemMessageW(dialog, ids::kOutputPane, WM_SETFONT, reinterpret_cast<WPARAM>(paneFont_), TRUE);
  FillForm(dialog, InitialForm());
  SetUpWindowOperations(session_->operationsForSetUp());
  view_->setPaneText(WelcomeText());
}

void MainDialog::createMonitor() {
  monitor_ = std::make_unique<WinMonitor>(dialog_, *form_, *session_, *view_,
                                          [this](bool running) { setCommandsEnabled(!running); });
}

bool MainDialog::commandRunning() const { return session_ && session_->busy(); }

void MainDialog::onCommand(int controlId, int code) {
  if (monitor_->onCommand(controlId, code)) return;
  if (commandRunning() || monitor_->running() || busPolling()) return;  // one command at a time, none while polling
  for (const Command& command : CommandTable()) {
    if (command.controlId != controlId || command.event != EventOf(code)) continue;
    if (code != BN_CLICKED && code != CBN_SELCHANGE) return;
    monitor_->commandStarts(controlId);
    setCommandsEnabled(false);
    session_->submit(command.bind(*form_), [this] {
      ShowWindow(GetDlgItem(dialog_, IDC_SCAN_PROGRESS), SW_HIDE);
      setCommandsEnabled(true);
    });
    return;
  }
}

void MainDialog::setCommandsEnabled(bool enabled) {
  if (!enabled) focusBeforeCommand_ = GetFocus();
  for (const Command& command : CommandTable()) EnableWindow(GetDlgItem(dialog_, command.controlId), enabled);
  monitor_->commandsEnabled(enabled);
  // Only the main window's own control: the bus view's Stop may have had the keyboard.
  if (enabled && focusBeforeCommand_ && IsChild(dialog_, focusBeforeCommand_) && IsWindowEnabled(focusBeforeCommand_))
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focusBeforeCommand_), TRUE);
}

bool MainDialog::onSysCommand(WPARAM command) {
  if ((command & 0xFFF0) == IDM_ABOUT) {
    RunAboutDialog(dialog_);
    return true;
  }
  // The running command or poll owns the port until it returns; closing stops monitoring.
  if ((command & 0xFFF0) != SC_CLOSE) return false;
  monitor_->stop();
  if (busView_) busView_->stop();
  return commandRunning() || monitor_->busy() || (busView_ && busView_->busy());
}

void MainDialog::onTool(int id) {
  switch (id) {
    case IDM_TRAFFIC: showTrafficWindow(); return;
    case IDM_FINDER: showFinder(); return;
    case IDM_BUSVIEW: showBusView(); return;
    case IDM_ABOUT: showAbout(); return;
  }
}

void MainDialog::showTrafficWindow() {
  if (!traffic_) traffic_ = std::make_unique<WinTrafficWindow>(dialog_, *tap_);
  traffic_->show();
}

void MainDialog::showFinder() {
  if (commandRunning() || portTaken()) return;
  finderOpen_ = true;
  FinderDialog finder([this](FinderRun::Job job, std::function<void()> done) {
    return !monitor_->running() && !busPolling() && session_->submit(std::move(job), std::move(done));
  }, [this] { session_->requestCancel(); }, *view_);
  finder.exec(dialog_);
  finderOpen_ = false;
  if (const std::optional<BusFile>& bus = finder.scannedBus()) showBusView(*bus);
}

bool MainDialog::busPolling() const { return busView_ && busView_->running(); }

bool MainDialog::portTaken() const { return monitor_->running() || busPolling() || finderOpen_; }

WinBusViewWindow& MainDialog::busView() {
  if (!busView_) {
    busView_ = std::make_unique<WinBusViewWindow>(
        dialog_, *session_, *view_,
        WinBusViewWindow::Hooks{[this](bool running) { setCommandsEnabled(!running); },
                                [this] { return monitor_->running() || finderOpen_; }});
  }
  return *busView_;
}

void MainDialog::showBusView() { busView().show(); }

void MainDialog::showBusView(const BusFile& bus) { busView().show(bus); }

void MainDialog::showAbout() {
  if (commandRunning()) return;
  RunAboutDialog(dialog_);
}

void MainDialog::close() {
  monitor_->stop();
  if (busView_) busView_->stop();
  if (commandRunning() || monitor_->busy() || (busView_ && busView_->busy()) || finderOpen_) return;
  DestroyWindow(dialog_);
}

void MainDialog::destroyed() {
  traffic_.reset();  // lets go of the tap, which the session's port owns
  session_.reset();  // joins the worker and closes the port
  view_->dropPosted();
  monitor_.reset();
  busView_.reset();
  PostQuitMessage(0);
}

INT_PTR CALLBACK MainDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      self = reinterpret_cast<MainDialog*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      self->initialise(dialog);
      return TRUE;  // the first control in tab order takes the focus
    case WM_COMMAND:
      // IDOK and IDCANCEL come from Enter and Escape: they never close the window.
      if (IsToolCommand(LOWORD(wParam)) && lParam == 0)  // a shortcut or the context menu
        self->onTool(LOWORD(wParam));
      else if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
        self->onCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CONTEXTMENU:
      if (const int tool = TrackToolMenu(dialog, reinterpret_cast<HWND>(wParam),
                                         GetDlgItem(dialog, ids::kOutputPane), lParam))
        self->onTool(tool);
      return TRUE;
    case WM_SYSCOMMAND:
      if (self->onSysCommand(wParam)) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WinSessionView::kRunTask:
      WinSessionView::RunPosted(lParam);
      return TRUE;
    case WM_CLOSE:
      self->close();
      return TRUE;
    case WM_DESTROY:
      self->destroyed();
      return FALSE;
  }
  return FALSE;
}
