#pragma once
// The Console of the worker thread: what an operation says is posted to the
// front's SessionView in order, without waiting; what it asks is posted too,
// and only the worker waits for the answer. The front never waits for the
// worker, so its window stays live without a nested event loop.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "console/console.h"
#include "session/cancel_flag.h"
#include "session/front_channel.h"
#include "session/session_view.h"

class RelayConsole : public Console {
 public:
  // `cancel` ends a pause early; the front, view and flag outlive the relay.
  RelayConsole(FrontChannel& front, SessionView& view, const CancelFlag& cancel);
  ~RelayConsole() override;
  RelayConsole(const RelayConsole&) = delete;
  RelayConsole& operator=(const RelayConsole&) = delete;

  void setPaneText(const std::string& text) override;
  void showInfo(const std::string& text) override;
  void showNotice(const std::string& text) override;
  void showMovedNotice(const std::string& text, const ModuleLine& now) override;
  bool askWarning(const std::string& text) override;
  bool askCautiousWarning(const std::string& text) override;
  std::optional<std::string> askPort() override;
  void portStateChanged(bool open) override;
  void lineSettingsChanged(int baudIndex, int formatIndex) override;
  void progress(int done, int total) override;
  void registersRead(const StationRegisters& block) override;
  void registersWritten(const StationRegisters& block) override;
  // Waits on the worker; a raised cancel flag ends it at once.
  void pause(int milliseconds) override;

  // Posts `task` to the front, in order with everything said so far; it runs
  // only if the relay is still open then. From any thread.
  void postToFront(std::function<void()> task);
  // On the front's thread, once: nothing posted reaches the front from now on
  // (a task already queued finds the relay closed), the ask the worker waits on
  // is answered as dismissed (Cancel, no port), and so is every later ask.
  void close();

 private:
  struct Answer {
    bool ok = false;  // false also for a box dismissed without an answer
    std::optional<std::string> device;
  };
  struct Reply;
  using AnswerCall = std::function<void(Answer)>;
  // Posts `open`, which hands the view a call that answers; waits for it.
  Answer ask(std::function<void(SessionView&, AnswerCall)> open);
  bool askBox(BoxKind kind, const std::string& text);

  FrontChannel& front_;
  SessionView& view_;
  const CancelFlag& cancel_;
  // Read by posted tasks on the front's thread, cleared there by close().
  std::shared_ptr<std::atomic<bool>> open_ = std::make_shared<std::atomic<bool>>(true);
  std::mutex mutex_;
  bool closed_ = false;             // guarded by mutex_
  std::shared_ptr<Reply> pending_;  // guarded by mutex_: the ask the worker waits on
};
