// The session over the real serial back end and simulated modules on a
// pseudo-terminal: a front's Cancel stops a station scan between exchanges.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "discovery/discovery.h"
#include "link/posix_serial_port.h"
#include "session/session.h"
#include "sim/sim_bus.h"
#include "support/manual_front_channel.h"
#include "support/models.h"
#include "support/recording_session_view.h"

namespace {

TEST(SessionOnBus, CancelStopsAStationScanBetweenExchangesAndTheNextJobRunsClear) {
  SimBus bus;
  bus.addModule(Module(1));
  bus.addModule(Module(2, "8SXY"));
  bus.start();
  ManualFrontChannel front;
  RecordingSessionView view;
  // Before the session, which must end before what its jobs write to.
  bool finished = false;
  DiscoveryControl control;
  StationScan scan;
  Session session(front, view, std::make_unique<PosixSerialPort>());
  session.operationsForSetUp().InitLinkDefaults();
  const auto done = [&] { finished = true; };
  const auto seen = [&](const std::string& event) {
    return std::find(view.events.begin(), view.events.end(), event) != view.events.end();
  };

  ASSERT_TRUE(session.submit([](Operations& ops) { ops.OnBnClickedOpenPort(); }, done));
  ASSERT_TRUE(front.runUntil([&] { return !view.open.empty(); }));
  view.answerPort(bus.devicePath());
  ASSERT_TRUE(front.runUntil([&] { return finished; }));
  ASSERT_TRUE(seen("pane:串口打开成功！"));

  control.cancelRequested = [&flag = session.cancelFlag()] { return flag.raised(); };
  const auto scanJob = [&](int to) {
    return [&, to](Operations& ops) { scan = ScanStations(ops.context(), 1, to, control); };
  };
  finished = false;
  view.events.clear();
  bus.clearReceived();
  ASSERT_TRUE(session.submit(scanJob(247), done));
  ASSERT_TRUE(front.runUntil([&] { return seen("progress:2/247"); }));
  session.requestCancel();
  ASSERT_TRUE(front.runUntil([&] { return finished; }));
  EXPECT_EQ(scan.end, DiscoveryEnd::kCancelled);
  ASSERT_EQ(scan.found.size(), 2u);
  EXPECT_EQ(scan.found[1].station, 2);
  EXPECT_LT(scan.probed, 10);
  EXPECT_EQ(bus.receivedFrames().size(), static_cast<size_t>(scan.probed));
  // Progress as the scan reported it, never a step back.
  std::vector<std::string> progress;
  for (const std::string& e : view.events)
    if (e.rfind("progress:", 0) == 0) progress.push_back(e);
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress[0], "progress:0/247");
  EXPECT_EQ(progress[1], "progress:1/247");
  EXPECT_EQ(progress[2], "progress:2/247");

  finished = false;
  ASSERT_TRUE(session.submit(scanJob(2), done));
  ASSERT_TRUE(front.runUntil([&] { return finished; }));
  EXPECT_EQ(scan.end, DiscoveryEnd::kDone);
  EXPECT_EQ(scan.found.size(), 2u);
  EXPECT_EQ(view.offThreadCalls, 0);
}

}  // namespace
