#pragma once
// What the Win32 window shows of a job that runs on the session's worker: the
// pane, the progress bar, the open button and the line's combo boxes, the boxes
// and the port dialog. Also the channel the worker posts through: a message the
// window posts itself, carrying the task. UTF-8 inside, UTF-16 at each call.
#include <windows.h>

#include "link/ports.h"
#include "session/front_channel.h"
#include "session/session_view.h"

class WinSessionView : public SessionView, public FrontChannel {
 public:
  // The message that carries a posted task: its lParam owns a heap
  // std::function<void()>.
  static constexpr UINT kRunTask = WM_APP + 1;

  // `offerPorts` lists devices first in the port dialog (the simulated bus).
  explicit WinSessionView(HWND dialog, PortOffer offerPorts = {})
      : dialog_(dialog), offerPorts_(std::move(offerPorts)) {}

  void post(std::function<void()> task) override;
  // For the dialog's procedure: runs the task a kRunTask message carries.
  static void RunPosted(LPARAM task);
  // After the session has ended: frees the tasks still queued, unrun.
  void dropPosted();

  void setPaneText(const std::string& text) override;
  // The boxes and the port dialog are modal to the window, as Windows boxes
  // are: their own loop keeps the window painted and runs posted tasks, and
  // only the worker waits for the answer.
  void showBox(BoxKind kind, const std::string& text, std::function<void(bool ok)> closed) override;
  void askPort(std::function<void(std::optional<std::string> device)> answered) override;
  void portStateChanged(bool open) override;
  void lineSettingsChanged(int baudIndex, int formatIndex) override;
  void progress(int done, int total) override;

 private:
  HWND dialog_;
  PortOffer offerPorts_;
  bool followPane_ = false;  // while an operation reports progress, its newest line shows
};
