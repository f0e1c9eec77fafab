#include "session/relay_console.h"

#include <chrono>
#include <condition_variable>
#include <utility>

// One ask's answer: the first one given counts (the front's, the dismissal of
// a call the front dropped, or close()'s), later ones are ignored.
struct RelayConsole::Reply {
  std::mutex mutex;
  std::condition_variable given;
  std::optional<Answer> answer;

  void give(Answer a) {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      if (answer) return;
      answer = std::move(a);
    }
    given.notify_all();
  }
  Answer wait() {
    std::unique_lock<std::mutex> lock(mutex);
    given.wait(lock, [this] { return answer.has_value(); });
    return *answer;
  }
};

RelayConsole::RelayConsole(FrontChannel& front, SessionView& view, const CancelFlag& cancel)
    : front_(front), view_(view), cancel_(cancel) {}

RelayConsole::~RelayConsole() { close(); }

void RelayConsole::postToFront(std::function<void()> task) {
  front_.post([open = open_, task = std::move(task)] {
    if (*open) task();
  });
}

void RelayConsole::close() {
  *open_ = false;
  std::shared_ptr<Reply> pending;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    pending = std::move(pending_);
  }
  if (pending) pending->give(Answer{});
}

RelayConsole::Answer RelayConsole::ask(std::function<void(SessionView&, AnswerCall)> open) {
  auto reply = std::make_shared<Reply>();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return Answer{};
    pending_ = reply;
  }
  // Held by every copy of the call the view gets: when the last copy goes
  // unanswered (a box destroyed, a queued task dropped), the ask is dismissed.
  struct DismissWhenDropped {
    explicit DismissWhenDropped(std::shared_ptr<Reply> r) : reply(std::move(r)) {}
    DismissWhenDropped(const DismissWhenDropped&) = delete;
    DismissWhenDropped& operator=(const DismissWhenDropped&) = delete;
    ~DismissWhenDropped() { reply->give(Answer{}); }
    std::shared_ptr<Reply> reply;
  };
  auto keeper = std::make_shared<DismissWhenDropped>(reply);
  AnswerCall answer = [keeper = std::move(keeper)](Answer a) { keeper->reply->give(std::move(a)); };
  // Only the posted task may hold the call now, or a dropped one would never dismiss.
  postToFront([this, open = std::move(open), answer = std::move(answer)]() mutable {
    open(view_, std::move(answer));
  });
  const Answer given = reply->wait();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (pending_ == reply) pending_.reset();
  }
  return given;
}

bool RelayConsole::askBox(BoxKind kind, const std::string& text) {
  return ask([kind, text](SessionView& view, AnswerCall answer) {
           view.showBox(kind, text, [answer = std::move(answer)](bool ok) { answer(Answer{ok, {}}); });
         }).ok;
}

void RelayConsole::setPaneText(const std::string& text) {
  postToFront([this, text] { view_.setPaneText(text); });
}

void RelayConsole::showInfo(const std::string& text) { askBox(BoxKind::kInfo, text); }
void RelayConsole::showNotice(const std::string& text) { askBox(BoxKind::kNotice, text); }
void RelayConsole::showMovedNotice(const std::string& text, const ModuleLine& now) {
  ask([text, now](SessionView& view, AnswerCall answer) {
    view.showMovedNotice(text, now, [answer = std::move(answer)](bool ok) { answer(Answer{ok, {}}); });
  });
}
bool RelayConsole::askWarning(const std::string& text) { return askBox(BoxKind::kWarning, text); }
bool RelayConsole::askCautiousWarning(const std::string& text) { return askBox(BoxKind::kCautiousWarning, text); }

std::optional<std::string> RelayConsole::askPort() {
  return ask([](SessionView& view, AnswerCall answer) {
           view.askPort([answer = std::move(answer)](std::optional<std::string> device) {
             const bool chosen = device.has_value();
             answer(Answer{chosen, std::move(device)});
           });
         }).device;
}

void RelayConsole::portStateChanged(bool open) {
  postToFront([this, open] { view_.portStateChanged(open); });
}

void RelayConsole::lineSettingsChanged(int baudIndex, int formatIndex) {
  postToFront([this, baudIndex, formatIndex] { view_.lineSettingsChanged(baudIndex, formatIndex); });
}

void RelayConsole::progress(int done, int total) {
  postToFront([this, done, total] { view_.progress(done, total); });
}

void RelayConsole::registersRead(const StationRegisters& block) {
  postToFront([this, block] { view_.registersRead(block); });
}

void RelayConsole::registersWritten(const StationRegisters& block) {
  postToFront([this, block] { view_.registersWritten(block); });
}

void RelayConsole::pause(int milliseconds) {
  if (milliseconds > 0) cancel_.waitFor(std::chrono::milliseconds(milliseconds));
}
