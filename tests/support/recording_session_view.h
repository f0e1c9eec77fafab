#pragma once
// A SessionView that writes down what reached it, in order, and on which
// thread; boxes and the port dialog stay open until the test answers them.
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "session/session_view.h"

class RecordingSessionView : public SessionView {
 public:
  // An open box or port dialog: its answer call, still held as a window would.
  struct Open {
    std::string what;  // as in events
    std::function<void(bool)> closed;
    std::function<void(std::optional<std::string>)> answered;
  };

  // "pane:TEXT", "progress:D/T", "info:TEXT", "notice:TEXT", "warning:TEXT",
  // "cautious:TEXT", "port?", "port:open"/"port:closed", "line:B,F", and what
  // the test adds itself (done).
  std::vector<std::string> events;
  std::vector<Open> open;
  // Calls that came on another thread than the one that made the view.
  int offThreadCalls = 0;

  void setPaneText(const std::string& text) override { note("pane:" + text); }
  void showBox(BoxKind kind, const std::string& text, std::function<void(bool)> closed) override {
    static const char* const kKinds[] = {"info:", "notice:", "warning:", "cautious:"};
    note(kKinds[static_cast<int>(kind)] + text);
    open.push_back({events.back(), std::move(closed), {}});
  }
  void askPort(std::function<void(std::optional<std::string>)> answered) override {
    note("port?");
    open.push_back({events.back(), {}, std::move(answered)});
  }
  void portStateChanged(bool isOpen) override { note(isOpen ? "port:open" : "port:closed"); }
  void lineSettingsChanged(int baudIndex, int formatIndex) override {
    note("line:" + std::to_string(baudIndex) + "," + std::to_string(formatIndex));
  }
  void progress(int done, int total) override {
    note("progress:" + std::to_string(done) + "/" + std::to_string(total));
  }
  void registersRead(const StationRegisters& block) override { note("read:" + Listed(block)); }
  void registersWritten(const StationRegisters& block) override { note("wrote:" + Listed(block)); }
  // "1@40=7,8": station, start and words.
  static std::string Listed(const StationRegisters& block) {
    std::string text = std::to_string(block.station) + "@" + std::to_string(block.start) + "=";
    for (size_t k = 0; k < block.words.size(); ++k) text += (k ? "," : "") + std::to_string(block.words[k]);
    return text;
  }

  // The user closes the oldest open box (OK or Cancel).
  void closeBox(bool ok) {
    Open box = takeOldest();
    box.closed(ok);
  }
  // The user picks a device in the port dialog, or cancels it (nothing).
  void answerPort(std::optional<std::string> device) {
    Open dialog = takeOldest();
    dialog.answered(std::move(device));
  }
  // The window goes and takes the oldest box with it, unanswered.
  void dropBox() { takeOldest(); }

 private:
  void note(std::string event) {
    if (std::this_thread::get_id() != front_) ++offThreadCalls;
    events.push_back(std::move(event));
  }
  Open takeOldest() {
    Open oldest = std::move(open.front());
    open.erase(open.begin());
    return oldest;
  }

  std::thread::id front_ = std::this_thread::get_id();
};
