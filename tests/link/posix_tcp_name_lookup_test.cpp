// The name look-up of a serial server's address against a name server that
// never answers, as on a plant network whose DNS is down: the open gives up at
// its connect limit, not after the resolver's own time-outs.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "link/link.h"
#include "link/port_by_name.h"
#include "support/dns_blackhole.h"

namespace {

TEST(TcpPortDns, AnUnansweredNameServerTimesOutAtTheConnectLimit) {
  const DnsBlackholeRun run = RunInDnsBlackhole([] {
    const std::unique_ptr<SerialPort> port = NewPortByName();
    const auto start = std::chrono::steady_clock::now();
    // The resolver alone would wait 2 x 5 s here.
    EXPECT_EQ(port->open("tcp:never-answers.invalid:4001"), OpenError::kTimedOut);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 6000) << "ms";
    EXPECT_FALSE(port->isOpen());
  });
  if (run.skipped) GTEST_SKIP() << run.reason;
}

}  // namespace
