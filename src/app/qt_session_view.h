#pragma once
// What the window shows of a job that runs on the session's worker: the pane,
// the progress bar, the open button and the line's combo boxes, and the boxes
// and the port dialog, opened without waiting. Also the channel the worker
// posts through: a queued call on the window's object.
#include <functional>

#include "app/edit_com_dialog.h"
#include "session/front_channel.h"
#include "session/session_view.h"

class QProgressBar;
class QWidget;

class QtSessionView : public SessionView, public FrontChannel {
 public:
  // Controls are found in `window` by their id; boxes are owned by it.
  QtSessionView(QWidget& window, QProgressBar& progressBar, PortOffer offerPorts);

  void post(std::function<void()> task) override;

  void setPaneText(const std::string& text) override;
  void showBox(BoxKind kind, const std::string& text, std::function<void(bool ok)> closed) override;
  void askPort(std::function<void(std::optional<std::string> device)> answered) override;
  void showMovedNotice(const std::string& text, const ModuleLine& now, std::function<void(bool ok)> closed) override;
  // What the notice's 切换到新的通讯参数 asks for; without it the notice offers nothing.
  // What the port dialog's edit starts with when nothing is offered (the port
  // of the last run); it opens nothing by itself.
  void setLastPortEntry(std::string entry) { lastPortEntry_ = std::move(entry); }
  void setFollow(std::function<void(const ModuleLine&)> follow) { follow_ = std::move(follow); }
  void portStateChanged(bool open) override;
  void lineSettingsChanged(int baudIndex, int formatIndex) override;
  void progress(int done, int total) override;
  void registersRead(const StationRegisters& block) override;
  void registersWritten(const StationRegisters& block) override;

  // Where the register tools' words go: the window's register table.
  void showRegistersIn(std::function<void(const StationRegisters&)> read,
                       std::function<void(const StationRegisters&)> written);

 private:
  template <typename Widget>
  Widget* control(int controlId) const;

  QWidget& window_;
  QProgressBar& progressBar_;
  PortOffer offerPorts_;
  std::string lastPortEntry_;
  std::function<void(const ModuleLine&)> follow_;
  bool followPane_ = false;  // while an operation reports progress
  std::function<void(const StationRegisters&)> registersRead_;
  std::function<void(const StationRegisters&)> registersWritten_;
};
