#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "cli/cli.h"
#include "cli/terminal_console.h"
#include "sim/sim_bus.h"
#include "support/cli_run.h"
#include "support/temp_file.h"
#include "support/program.h"

namespace {

TEST(Cli, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"read"},
      {"read", "XYZ"},
      {"-b", "1234", "read", "4SXY"},
      {"-f", "N,7,1", "read", "4SXY"},
      {"-q", "read", "4SXY"},
      {"-s"},
      {"fly"},
      {"read-registers", "0"},
      {"write-registers", "0"},
      {"write-registers", "0", "21", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
       "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21"},
      {"change-comm", "1234", "N,8,1", "1"},
      {"allow-write", "now"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, kExitUsage) << ::testing::PrintToString(args);
    EXPECT_NE(run.err.find("usage: dolvane-cli"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
}

TEST(Cli, WithoutAPortTheOperationMeetsThePortNotOpenBox) {
  const CliRun run = RunArgs({"read", "4SXY"});
  EXPECT_EQ(run.status, kExitErrorBox);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "提示: 串口未打开!\n");
}

TEST(Cli, BadPortNumberIsAUsageError) {
  EXPECT_EQ(RunArgs({"-p", "0", "read", "4SXY"}).status, kExitUsage);
  const CliRun missing = RunArgs({"-p", "/dev/no-such-port", "read", "4SXY"});
  EXPECT_EQ(missing.status, kExitErrorBox);
  EXPECT_EQ(missing.err, "提示: /dev/no-such-port打开失败！\r\n设备不存在。\n");
}

TEST(Cli, SimulatedReadPrintsThePaneExactly) {
  const CliRun run = RunArgs({"--simulate", "read", "4SXY"});
  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("十六进制显示发送数据：\r\n01 03 00 00 00 28 45 D4 \r\n\r\n", 0), 0u);
  EXPECT_NE(run.out.find("程序版本："), std::string::npos);
  EXPECT_NE(run.out.find("四路有功："), std::string::npos);
}

// Arguments after the operation are field texts even when they look like options.
TEST(Cli, FieldTextsMayStartWithASign) {
  const CliRun run = RunArgs({"--simulate", "write-register", "-5", "1"});
  EXPECT_EQ(run.status, kExitErrorBox);
  EXPECT_EQ(run.err, "提示: 非法的寄存器地址！\n");
  const CliRun read = RunArgs({"--simulate", "-s", " +2", "read-registers", " 0", "1"});
  EXPECT_EQ(read.status, kExitDone) << read.err;
  EXPECT_NE(read.out.find("{[模块站号] 02}"), std::string::npos);
}

// The scan streams its progress; the open message is not part of its output.
// The device's name goes away once the first attempt's two frames are on it,
// so the run ends at its next reopen instead of after 32 attempts of real
// pauses (the whole scan and its success box are the operation's own tests).
// The bus itself stays, so that no other program's new pty takes its number.
TEST(Cli, ResetScanPrintsOnlyTheScansPane) {
  SimBus bus;
  bus.start();
  const TempFolder folder;
  const std::string device = folder.path() + "/bus";
  ASSERT_EQ(::symlink(bus.devicePath().c_str(), device.c_str()), 0);
  std::thread unplug([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (bus.receivedFrames().size() < 2 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::unlink(device.c_str());
  });
  const CliRun run = RunArgs({"-y", "-p", device, "reset-scan"});
  unplug.join();
  EXPECT_EQ(run.status, kExitErrorBox) << run.err;
  EXPECT_EQ(run.out.rfind("正在尝试复位模块站号/波特率，请耐心等待...\r\n\r\n"
                          "正在尝试波特率：1=  1200BPS。\n校验值号：0=N,8,1。\r\n", 0),
            0u)
      << run.out;
  EXPECT_EQ(run.err, "警告: 继续操作将修改所有从站数据，并重置波特率/站号！\r\n"
                     "总线上的所有模块都将变为站号 1、9600 N,8,1，约需 15 秒。\n"
                     "提示: " + device + "打开失败！\r\n设备不存在。\n");
  EXPECT_EQ(RunArgs({"--simulate", "reset-scan"}).status, kExitCancelled);
}

// Streaming prints growth as it comes; a rewritten pane is printed whole after
// what is already out, never spliced into it.
TEST(Cli, StreamedPaneKeepsEveryTextWhole) {
  const struct {
    std::vector<std::string> panes;
    std::string printed;
  } cases[] = {
      {{"ab", "abc", "abcd"}, "abcd"},
      {{"abc", "XYZW"}, "abcXYZW"},
      {{"abc", "ab"}, "abcab"},
      {{"abc", "", "abcd"}, "abcabcd"},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    std::istringstream in;
    TerminalConsole console(out, err, in, false);
    console.streamPane = true;
    for (const std::string& pane : c.panes) console.setPaneText(pane);
    console.flushPane();
    EXPECT_EQ(out.str(), c.printed) << ::testing::PrintToString(c.panes);
  }
}

// The report is the result: an output that cannot take it fails the command.
TEST(Cli, LostOutputIsAFailure) {
  std::ostream broken(nullptr);
  std::ostringstream err;
  std::istringstream in;
  EXPECT_EQ(RunCli({"--simulate", "read", "4SXY"}, broken, err, in, false), kExitErrorBox);
  EXPECT_NE(err.str().find("could not be written"), std::string::npos);

  const std::string full = DOLVANE_BIN_DIR "/dolvane-cli --simulate read 4SXY >/dev/full 2>/dev/null";
  const int status = std::system(full.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitErrorBox);
}

// The separate simulator process, its device given with -p to the CLI process.
TEST(Cli, AgainstTheSimulatorProgram) {
  Program sim("dolvane-sim", {"--module", "1:4SXY", "--exit-on-eof"});
  const std::string device = sim.firstLine();
  ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device;

  Program cli("dolvane-cli", {"-p", device, "read", "4SXY"});
  const std::string output = cli.output();
  EXPECT_EQ(cli.exitCode(10000), 0) << cli.errors();
  EXPECT_NE(output.find("程序版本："), std::string::npos) << output;

  sim.closeInput();  // with --exit-on-eof the simulator ends when its input closes
  EXPECT_EQ(sim.exitCode(5000), 0) << "the simulator did not end when its input closed";
}

}  // namespace
