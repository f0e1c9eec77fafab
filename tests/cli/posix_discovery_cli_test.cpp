// The command line's trace and discovery commands against simulated modules:
// stations 3 and 200 at 9600 N,8,1, station 17 at 19200 N,8,2.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "sim/sim_bus.h"
#include "support/hex.h"
#include "support/line_blind_pty.h"
#include "support/models.h"
#include "support/reply.h"
#include "support/temp_file.h"
#include "support/cli_run.h"

namespace {

class DiscoveryCliTest : public ::testing::Test {
 protected:
  SimBus bus;

  void SetUp() override {
    bus.addModule({.station = 3, .model = SimOf("4SXY")});
    bus.addModule({.station = 17, .model = SimOf("8SXY"), .baudRate = 19200, .lineFormat = 3});
    bus.addModule({.station = 200, .model = SimOf("3SXY")});
    bus.setRegisters(3, {{0, 680}});
    bus.start();
  }

  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"-p", bus.devicePath()});
    return RunArgs(args);
  }

  void ExpectNothingButReadsOfRegisterZero() {
    const auto frames = bus.receivedFrames();
    ASSERT_FALSE(frames.empty());
    for (const auto& f : frames) {
      EXPECT_NE(f[1], 0x06) << Hex(f);
      EXPECT_NE(f[1], 0x10) << Hex(f);
      EXPECT_EQ(Hex(std::vector<uint8_t>(f.begin() + 1, f.begin() + 6)), "03 00 00 00 01 ");
    }
  }
};

TEST_F(DiscoveryCliTest, ScanStationsListsExactlyTheStationsAtTheLinesSettings) {
  const CliRun run = Run({"scan-stations", "1", "20"});
  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(run.out,  // 17 listens at 19200 N,8,2 only
            "3\tword 0 = 680; model cannot be told apart: 4SXY 8SXY 4RXY 3RX 16RXY 8RXYZ 12RX 10RX "
            "5RXZ 4WX 5UZ 9VXY accept it alike\n");
  EXPECT_NE(run.err.find("\r20/20\n"), std::string::npos);
  EXPECT_NE(run.err.find("20 station(s) probed at 9600 N,8,1, 1 answered"), std::string::npos);
  EXPECT_NE(run.err.find("models tried on word 0: 4SXY 3SXY "), std::string::npos);
  EXPECT_EQ(Run({"scan-stations", "200", "200"}).out, "200\tword 0 = 21133; model 3SXY\n");
  EXPECT_EQ(bus.receivedFrames().size(), 21u);
  ExpectNothingButReadsOfRegisterZero();
}

// Without FROM TO every unicast station is probed, in order (as the trace of
// what went out shows): on a fast line with nothing on it that takes little.
TEST(DiscoveryCli, ScanStationsWithoutARangeProbesStations1To247) {
  SimBus empty;
  empty.start();
  const TempFile trace;
  const CliRun run = RunArgs({"-p", empty.devicePath(), "-b", "115200", "--turnaround", "0", "--trace-file",
                              trace.path(), "scan-stations"});
  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("\r247/247\n"), std::string::npos);
  EXPECT_NE(run.err.find("247 station(s) probed at 115200 N,8,1, 0 answered"), std::string::npos);
  std::ifstream in(trace.path());
  std::vector<int> stations;
  const std::regex sent(R"(\S+ TX ([0-9A-F]{2}) 03 00 00 00 01 [0-9A-F]{2} [0-9A-F]{2})");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_match(line, m, sent)) stations.push_back(std::stoi(m[1], nullptr, 16));
    else EXPECT_NE(line.find(" RX [time-out]"), std::string::npos) << line;
  }
  ASSERT_EQ(stations.size(), 247u);
  for (size_t k = 0; k < stations.size(); ++k) EXPECT_EQ(stations[k], static_cast<int>(k + 1));
}

TEST_F(DiscoveryCliTest, ScanStationsListsACorruptedReplyAndAStationAtAnotherSetting) {
  bus.injectFault(3, SimFault::kBadCrc, kFaultAlways);  // a module that always corrupts
  const CliRun corrupted = Run({"scan-stations", "1", "5"});
  EXPECT_EQ(corrupted.out, "3\tcorrupted reply (a device answered: wrong settings or a collision)\n");

  const CliRun other = Run({"-b", "19200", "-f", "N,8,2", "scan-stations", "10", "20"});
  EXPECT_EQ(other.out.rfind("17\tword 0 = ", 0), 0u) << other.err;
  EXPECT_EQ(other.out.find('\n'), other.out.size() - 1);
  ExpectNothingButReadsOfRegisterZero();
}

TEST_F(DiscoveryCliTest, DetectLineListsEachSettingThatAnsweredAndExitsByWhetherAnyDid) {
  const CliRun found = Run({"detect-line", "17"});
  EXPECT_EQ(found.status, kExitDone) << found.err;
  EXPECT_EQ(found.out, "19200 N,8,2\n");
  EXPECT_NE(found.err.find("parity cannot be told apart"), std::string::npos);

  const CliRun none = Run({"--turnaround", "20", "detect-line", "99"});
  EXPECT_EQ(none.status, kExitErrorBox);
  EXPECT_EQ(none.out, "");
  ExpectNothingButReadsOfRegisterZero();
}

// Behind a pty pair (a virtual COM port) station 3 answers at every setting:
// the command lists none of them and says why, in the finder's own box.
TEST_F(DiscoveryCliTest, DetectLineOnAPortThatCarriesNoSettingsSaysSo) {
  const LineBlindPty relay(bus.devicePath());
  const CliRun run = RunArgs({"-p", relay.devicePath(), "--turnaround", "1000", "detect-line", "3"});
  EXPECT_EQ(run.status, kExitErrorBox);
  EXPECT_EQ(run.out, "");
  const std::string box = "\r32/32\n提示: 此串口不传送通讯参数：站号 3 在 32 种通讯参数下的应答完全相同，";
  EXPECT_NE(run.err.find(box), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("parity"), std::string::npos) << run.err;
  EXPECT_TRUE(run.err.ends_with("请用直接连接 RS-485 总线的串口。\n")) << run.err;
  ExpectNothingButReadsOfRegisterZero();
}

TEST_F(DiscoveryCliTest, TraceShowsAReplyWithABadCrcAsReceivedAndLeavesThePaneAlone) {
  const std::vector<std::string> read = {"-s", "3", "read-registers", "0", "1"};
  bus.injectFault(SimFault::kBadCrc);
  const CliRun plain = Run(read);
  bus.injectFault(SimFault::kBadCrc);
  std::vector<std::string> traced = read;
  traced.insert(traced.begin(), "--trace");
  const CliRun run = Run(traced);

  EXPECT_EQ(run.status, plain.status);
  EXPECT_EQ(run.out, plain.out);
  std::vector<uint8_t> reply = ReplyOf({680}, 3);
  reply.back() ^= 0xFF;  // the bus's corruption
  std::string received = Hex(reply);
  received.pop_back();
  const std::regex lines(R"(\d\d:\d\d:\d\d\.\d{6} TX 03 03 00 00 00 01 85 E8\n)"
                         R"(\d\d:\d\d:\d\d\.\d{6} RX )" + received +
                         R"( \[CRC bad\] function 03, 7 of 7 bytes\n提示: 数据错误\r\n校验错误；站号 3，9600 N,8,1\n)");
  EXPECT_TRUE(std::regex_match(run.err, lines)) << run.err;
}

TEST_F(DiscoveryCliTest, TraceFileGetsTheSameLines) {
  const TempFile file;
  const CliRun run = Run({"--trace-file", file.path(), "-s", "99", "read-registers", "0", "1"});
  EXPECT_EQ(run.err, "提示: 通讯错误或设备型号不兼容！\r\n无应答（等待 635 ms）；站号 99，9600 N,8,1\n");
  std::ifstream in(file.path());
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(std::regex_match(text.str(), std::regex(R"(\S+ TX 63 03 00 00 00 01 [0-9A-F ]+\n)"
                                                      R"(\S+ RX \[time-out\] nothing in \d+ ms, 7 bytes expected\n)")))
      << text.str();
}

TEST(DiscoveryCli, UsageErrorsAndAClosedPort) {
  const std::vector<std::vector<std::string>> usage = {
      {"scan-stations", "1"},          {"scan-stations", "0", "5"}, {"scan-stations", "5", "4"},
      {"scan-stations", "1", "248"},   {"detect-line"},             {"detect-line", "x"},
      {"--turnaround", "abc", "scan-stations"},                     {"--trace-file"},
  };
  for (const auto& args : usage) {
    std::ostringstream out, err;
    std::istringstream in;
    EXPECT_EQ(RunCli(args, out, err, in, false), kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(out.str(), "");
  }
  std::ostringstream out, err;
  std::istringstream in;
  EXPECT_EQ(RunCli({"detect-line", "5"}, out, err, in, false), kExitErrorBox);
  EXPECT_EQ(err.str(), "提示: 串口未打开!\n");
  // A trace file the system will not open is a failure, as a port is.
  EXPECT_EQ(RunCli({"--trace-file", "/no/such/dir/trace.txt", "scan-stations"}, out, err, in, false), kExitErrorBox);
}

}  // namespace
