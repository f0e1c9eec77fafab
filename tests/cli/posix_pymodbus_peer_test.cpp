// The command line against a Modbus RTU slave nobody here wrote: pymodbus on one
// end of a socat pty pair, its replies made wrong on purpose
// (tests/fixtures/pymodbus_rtu_slave.py). ./test.sh installs socat and
// python3-pymodbus.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "support/cli_run.h"
#include "support/program.h"
#include "support/temp_file.h"

namespace {

const char* const kPeerScript = DOLVANE_FIXTURES_DIR "/pymodbus_rtu_slave.py";

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// A pty pair with the pymodbus slave on one end; the console opens the other.
class PymodbusPeer : public ::testing::Test {
 protected:
  TempFolder dir;
  std::unique_ptr<Program> socat;
  std::unique_ptr<Program> slave;

  std::string consoleEnd() const { return dir.path() + "/console"; }

  void StartSlave(const std::string& mode) {
    ASSERT_TRUE(Exists("/usr/bin/socat")) << "socat is missing: ./test.sh installs it";
    const std::string peerEnd = dir.path() + "/peer";
    socat = std::make_unique<Program>(
        "/usr/bin/socat", std::vector<std::string>{"pty,raw,echo=0,link=" + consoleEnd(),
                                                   "pty,raw,echo=0,link=" + peerEnd});
    for (int i = 0; i < 500 && !(Exists(consoleEnd()) && Exists(peerEnd)); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(Exists(consoleEnd()) && Exists(peerEnd)) << "socat made no pty pair";
    slave = std::make_unique<Program>("/usr/bin/python3",
                                      std::vector<std::string>{kPeerScript, peerEnd, mode});
    ASSERT_EQ(slave->firstLine(), "ready") << "python3-pymodbus is missing: ./test.sh installs it\n"
                                           << slave->errors();
  }

  CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"-p", consoleEnd()});
    return RunCliProgram(std::move(args));
  }
};

TEST_F(PymodbusPeer, ARegularSlaveIsReadAndWritten) {
  StartSlave("ok");
  const CliRun read = Cli({"read-registers", "0", "2"});
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("{[模块站号] 01} {[功能码] 03} {[字节长度] 04}"), std::string::npos) << read.out;
  EXPECT_NE(read.out.find("00 00 00 0A "), std::string::npos) << read.out;
  const CliRun write = Cli({"write-register", "100", "42"});
  EXPECT_EQ(write.status, 0) << write.err;
}

TEST_F(PymodbusPeer, RepliesThatAnswerAnotherRequestAreRefused) {
  const struct {
    const char* mode;
    std::vector<std::string> operation;
    const char* line;
    const char* verdict;
  } cases[] = {
      {"station", {"read-registers", "0", "2"}, "应答来自站号 2，请求的是站号 1", "[mismatch] reply from station 2, request to 1"},
      {"function", {"read-registers", "0", "2"}, "应答功能码 04，请求的是 03", "[mismatch] reply function 04, request 03"},
      {"bytecount", {"read-registers", "0", "2"}, "应答字节长度 2，请求的是 4", "[mismatch] byte count 2, request 4"},
      {"echo", {"write-register", "100", "42"}, "写入确认的数值 43 与写入的 42 不符", "[mismatch] echo of the value 43, written 42"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    StartSlave(c.mode);
    std::vector<std::string> args{"--trace"};
    args.insert(args.end(), c.operation.begin(), c.operation.end());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(std::string("提示: 通讯错误或设备型号不兼容！\r\n") + c.line), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.verdict), std::string::npos) << run.err;
    slave.reset();
    socat.reset();
  }
}

TEST_F(PymodbusPeer, PollingLogsAForeignReplyAsAMismatch) {
  StartSlave("station");
  const CliRun poll = Cli({"poll-registers", "0", "2", "--interval", "0", "--count", "2"});
  EXPECT_NE(poll.out.find(",1,mismatch,,"), std::string::npos) << poll.out;
  EXPECT_NE((poll.out + poll.err).find("2 polls: 0 ok, 0 timeout, 0 short, 0 crc, 2 mismatch,"), std::string::npos)
      << poll.out << poll.err;
}

TEST_F(PymodbusPeer, ABroadcastIsExecutedAndAwaitsNoReply) {
  StartSlave("ok");
  const CliRun broadcast = Cli({"-s", "0", "-y", "write-register", "100", "42"});
  EXPECT_EQ(broadcast.status, 0) << broadcast.err;
  EXPECT_NE(broadcast.err.find("提示: 已广播，广播命令无应答。"), std::string::npos) << broadcast.err;
  const CliRun read = Cli({"read-registers", "100", "1"});
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("00 2A "), std::string::npos) << read.out;
}

TEST_F(PymodbusPeer, AfterABrokenReplyTheNextPollsAreBackInStep) {
  StartSlave("gap");
  const CliRun poll = Cli({"poll-registers", "0", "2", "--interval", "0", "--count", "8"});
  EXPECT_EQ(poll.status, 0) << poll.err;
  int ok = 0;
  for (size_t at = poll.out.find(",ok,"); at != std::string::npos; at = poll.out.find(",ok,", at + 1)) ++ok;
  // The broken reply fails, and at most the one its tail runs into.
  EXPECT_GE(ok, 6) << poll.out;
}

}  // namespace
