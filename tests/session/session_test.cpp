// The session against a port without a device and a front the test pumps by
// hand: what reaches the view, when the worker waits, and how it all ends.
#include "session/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "console/console.h"
#include "support/reset_frames.h"
#include "support/manual_front_channel.h"
#include "support/recording_session_view.h"
#include "support/scripted_port.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Events = std::vector<std::string>;

using reset_frames::kConfirm;
using reset_frames::kEnable;
using reset_frames::kReset;
constexpr const char* kResetWarning = reset_frames::kWarning;

// Longer than any test may take: a pause that ends is one that was cut short.
constexpr int kLongPauseMs = 60000;

Console& ConsoleOf(Operations& ops) { return ops.context().console; }

// Ends the session when a test returns, before the locals its jobs write to,
// so that a failed assertion leaves no worker behind writing to them.
struct EndsFirst {
  std::unique_ptr<Session>& session;
  ~EndsFirst() { session.reset(); }
};

class SessionTest : public ::testing::Test {
 protected:
  ManualFrontChannel front;
  RecordingSessionView view;
  ScriptedPort* port = new ScriptedPort;  // owned by the session's operations
  std::unique_ptr<Session> session =
      std::make_unique<Session>(front, view, std::unique_ptr<SerialPort>(port));
  bool finished = false;

  void SetUp() override { session->operationsForSetUp().InitLinkDefaults(); }

  // Submits `job` with a `done` that the view's events record.
  bool Submit(SessionJob job) {
    finished = false;
    return session->submit(std::move(job), [this] {
      view.events.push_back("done");
      finished = true;
    });
  }
  bool PumpUntilDone() { return front.runUntil([this] { return finished; }); }
  bool PumpUntilAsked() { return front.runUntil([this] { return !view.open.empty(); }); }
  bool PumpUntilSeen(const std::string& event) {
    return front.runUntil([&] {
      return std::find(view.events.begin(), view.events.end(), event) != view.events.end();
    });
  }

  // Opens the port the way button 1000 does, the user naming the scripted port.
  void OpenPort() {
    ASSERT_TRUE(Submit([](Operations& ops) { ops.OnBnClickedOpenPort(); }));
    ASSERT_TRUE(PumpUntilAsked());
    view.answerPort("7");
    ASSERT_TRUE(PumpUntilDone());
    ASSERT_TRUE(port->isOpen());
    view.events.clear();
  }

  Events Panes() const {
    Events panes;
    for (const std::string& e : view.events)
      if (e.rfind("pane:", 0) == 0) panes.push_back(e);
    return panes;
  }

  // Destroys the session on a thread of its own, as a front closing would;
  // false if that outlasts the patience (the session is then left to hang
  // alone instead of the suite).
  bool SessionEndsPromptly() {
    auto ended = std::make_shared<std::promise<void>>();
    std::future<void> endedFuture = ended->get_future();
    std::thread([s = session.release(), ended] {
      delete s;
      ended->set_value();
    }).detach();
    return endedFuture.wait_for(ManualFrontChannel::kPatience) == std::future_status::ready;
  }
};

// Said and asked in one order on the worker, shown in that order on the
// front's thread; a notice holds the worker until it is closed, and `done`
// comes after everything.
TEST_F(SessionTest, WhatAJobSaysReachesTheViewInOrderOnTheFrontsThread) {
  std::atomic<bool> pastTheNotice{false};
  const EndsFirst ends{session};
  ASSERT_TRUE(Submit([&](Operations& ops) {
    Console& c = ConsoleOf(ops);
    c.setPaneText("a");
    c.progress(1, 3);
    c.portStateChanged(true);
    c.lineSettingsChanged(5, 2);
    c.registersRead({1, 40, {7, 8}});
    c.registersWritten({1, 41, {9}});
    c.showNotice("saved");
    pastTheNotice = true;
    c.setPaneText("b");
    c.showInfo("failed");
    c.progress(3, 3);
  }));
  ASSERT_TRUE(PumpUntilAsked());
  EXPECT_EQ(view.events, (Events{"pane:a", "progress:1/3", "port:open", "line:5,2", "read:1@40=7,8", "wrote:1@41=9",
                                 "notice:saved"}));
  EXPECT_FALSE(pastTheNotice);
  EXPECT_EQ(front.queued(), 0u);
  view.closeBox(true);
  ASSERT_TRUE(PumpUntilAsked());
  view.closeBox(true);
  ASSERT_TRUE(PumpUntilDone());
  EXPECT_EQ(view.events, (Events{"pane:a", "progress:1/3", "port:open", "line:5,2", "read:1@40=7,8",
                                 "wrote:1@41=9", "notice:saved", "pane:b", "info:failed", "progress:3/3", "done"}));
  EXPECT_EQ(view.offThreadCalls, 0);
  EXPECT_FALSE(session->busy());
}

// The port dialog is the front's: the worker opens what the user named there,
// and nothing after Cancel.
TEST_F(SessionTest, ThePortDialogsAnswerIsWhatTheWorkerOpens) {
  struct Case {
    std::optional<std::string> answer;
    bool opened;
    Events panes;
  };
  const Case cases[] = {
      {std::nullopt, false, {"pane:"}},
      {"7", true, {"pane:", "pane:串口打开成功！"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer.value_or("Cancel"));
    view.events.clear();
    ASSERT_TRUE(Submit([](Operations& ops) { ops.OnBnClickedOpenPort(); }));
    ASSERT_TRUE(PumpUntilAsked());
    EXPECT_EQ(view.open.front().what, "port?");
    view.answerPort(c.answer);
    ASSERT_TRUE(PumpUntilDone());
    EXPECT_EQ(port->isOpen(), c.opened);
    EXPECT_EQ(Panes(), c.panes);
  }
}

// The reset scan's confirmation, answered by the front some time after the
// worker asked: nothing is sent while it is open; OK sends every broadcast and
// the confirmation, Cancel nothing.
TEST_F(SessionTest, TheWorkerWaitsForTheWarningAndGoesOnWithItsAnswer) {
  OpenPort();
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    port->written.clear();
    ASSERT_TRUE(Submit([](Operations& ops) { ops.OnBnClickedCommReset(); }));
    ASSERT_TRUE(PumpUntilAsked());
    EXPECT_EQ(view.open.front().what, std::string("cautious:") + kResetWarning);
    EXPECT_TRUE(port->written.empty());
    view.closeBox(ok);
    if (ok) {
      // The scan does not stop midway; the flag only cuts its 64 pauses short.
      session->requestCancel();
      ASSERT_TRUE(PumpUntilAsked());  // no module answers the confirmation
      EXPECT_EQ(view.open.front().what.rfind("info:通讯错误！", 0), 0u) << view.open.front().what;
      view.closeBox(true);
    }
    ASSERT_TRUE(PumpUntilDone());
    if (!ok) {
      EXPECT_TRUE(port->written.empty());
      EXPECT_EQ(Panes(), Events{"pane:"});
      continue;
    }
    ASSERT_EQ(port->written.size(), 65u);
    for (size_t i = 0; i < 64; ++i) EXPECT_EQ(port->written[i], i % 2 == 0 ? kEnable : kReset) << i;
    EXPECT_EQ(port->written.back(), kConfirm);
    EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "progress:32/33"), 1);
    EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "progress:33/33"), 1);
  }
}

// Closing a box without answering (its window went) is Cancel; so is a port
// dialog closed that way.
TEST_F(SessionTest, AnAskTheFrontDropsUnansweredIsCancel) {
  std::optional<bool> warning;
  std::optional<std::optional<std::string>> device;
  const EndsFirst ends{session};
  ASSERT_TRUE(Submit([&](Operations& ops) {
    warning = ConsoleOf(ops).askWarning("write?");
    device = ConsoleOf(ops).askPort();
  }));
  ASSERT_TRUE(PumpUntilAsked());
  view.dropBox();
  ASSERT_TRUE(PumpUntilAsked());
  view.dropBox();
  ASSERT_TRUE(PumpUntilDone());
  EXPECT_EQ(warning, false);
  ASSERT_TRUE(device.has_value());
  EXPECT_EQ(*device, std::nullopt);
}

// One job at a time, and the front sees the session busy until `done` has run
// on its thread, even when the worker has long finished.
TEST_F(SessionTest, ASecondJobIsRefusedUntilTheFirstIsDoneOnTheFront) {
  int refusedRan = 0;
  const SessionJob refused = [&](Operations&) { ++refusedRan; };
  const EndsFirst ends{session};
  ASSERT_TRUE(Submit([](Operations& ops) { ConsoleOf(ops).askWarning("write?"); }));
  EXPECT_TRUE(session->busy());
  EXPECT_FALSE(session->submit(refused));
  ASSERT_TRUE(PumpUntilAsked());
  view.closeBox(true);
  ASSERT_TRUE(front.waitForQueued(1));  // the job has ended: only `done` is queued
  EXPECT_TRUE(session->busy());
  EXPECT_FALSE(session->submit(refused));
  front.runPending();
  EXPECT_TRUE(finished);
  EXPECT_FALSE(session->busy());

  ASSERT_TRUE(Submit([](Operations&) {}));
  ASSERT_TRUE(PumpUntilDone());
  EXPECT_EQ(refusedRan, 0);
  EXPECT_EQ(view.events, (Events{"warning:write?", "done", "done"}));
}

// `done` may start the next job, as the monitor posts its next poll.
TEST_F(SessionTest, DoneMaySubmitTheNextJob) {
  std::atomic<int> runs{0};
  std::function<void()> again = [&] {
    if (runs < 3) {
      ASSERT_TRUE(session->submit([&](Operations&) { ++runs; }, again));
    }
  };
  const EndsFirst ends{session};
  ASSERT_TRUE(session->submit([&](Operations&) { ++runs; }, again));
  ASSERT_TRUE(front.runUntil([&] { return runs == 3 && !session->busy(); }));
}

TEST_F(SessionTest, CancelEndsAPauseAtOnce) {
  struct Case {
    const char* name;
    bool cancelBeforeTheJobStarts;  // right after submit: the flag is the job's
  };
  for (const Case& c : {Case{"while it waits", false}, Case{"right after submit", true}}) {
    SCOPED_TRACE(c.name);
    view.events.clear();
    ASSERT_TRUE(Submit([](Operations& ops) {
      ConsoleOf(ops).setPaneText("waiting");
      ConsoleOf(ops).pause(kLongPauseMs);
      ConsoleOf(ops).setPaneText("woke");
    }));
    if (c.cancelBeforeTheJobStarts) {
      session->requestCancel();
    } else {
      ASSERT_TRUE(PumpUntilSeen("pane:waiting"));
      session->requestCancel();
    }
    ASSERT_TRUE(PumpUntilDone());
    EXPECT_EQ(view.events, (Events{"pane:waiting", "pane:woke", "done"}));
  }
}

// A cancel belongs to the job it was asked in, or to none: the next job
// starts with the flag clear.
TEST_F(SessionTest, TheNextJobStartsWithTheFlagClear) {
  std::optional<bool> raisedInJob;
  const SessionJob look = [&](Operations&) { raisedInJob = session->cancelFlag().raised(); };
  const EndsFirst ends{session};

  ASSERT_TRUE(Submit([](Operations& ops) { ConsoleOf(ops).pause(kLongPauseMs); }));
  session->requestCancel();
  ASSERT_TRUE(PumpUntilDone());
  ASSERT_TRUE(Submit(look));
  ASSERT_TRUE(PumpUntilDone());
  EXPECT_EQ(raisedInJob, false);

  session->requestCancel();  // nothing runs
  raisedInJob.reset();
  ASSERT_TRUE(Submit(look));
  ASSERT_TRUE(PumpUntilDone());
  EXPECT_EQ(raisedInJob, false);
}

// Closing the front while a job waits: the session ends at once, a waiting
// ask is answered Cancel, and nothing more reaches the view, not even what
// was queued before, nor a late answer from a box still open.
TEST_F(SessionTest, DestructionEndsAWaitingJobPromptly) {
  struct Case {
    const char* name;
    std::function<void(Operations&)> wait;
    bool pumpFirst;  // false: the front had stopped pumping before the ask came
    std::optional<bool> answer;  // the job's, for an ask
  };
  std::optional<bool> answer;
  const Case cases[] = {
      {"an open box", [&](Operations& ops) { answer = ConsoleOf(ops).askWarning("write?"); }, true, false},
      {"a box never shown", [&](Operations& ops) { answer = ConsoleOf(ops).askWarning("write?"); }, false, false},
      {"a long pause", [&](Operations& ops) { ConsoleOf(ops).pause(kLongPauseMs); }, true, std::nullopt},
  };
  const EndsFirst ends{session};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answer.reset();
    ASSERT_TRUE(Submit([&](Operations& ops) {
      ConsoleOf(ops).setPaneText("waiting");
      c.wait(ops);
      ConsoleOf(ops).setPaneText("after");
    }));
    if (c.pumpFirst) {
      ASSERT_TRUE(PumpUntilSeen("pane:waiting"));
      front.runPending();
    } else {
      ASSERT_TRUE(front.waitForQueued(2));
    }
    const Events shown = view.events;

    ASSERT_TRUE(SessionEndsPromptly());
    front.runPending();
    if (!view.open.empty()) view.closeBox(true);
    EXPECT_EQ(view.events, shown);
    EXPECT_EQ(answer, c.answer);

    port = new ScriptedPort;
    session = std::make_unique<Session>(front, view, std::unique_ptr<SerialPort>(port));
    view.events.clear();
  }
}

}  // namespace
