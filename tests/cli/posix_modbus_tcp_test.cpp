// Modbus TCP (mbtcp: names) against peers nobody here wrote: the command line
// against a pymodbus server, and pymodbus's client against dolvane-sim
// --mbtcp. ./test.sh installs python3-pymodbus.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>

#include "models/model_registry.h"
#include "support/cli_run.h"
#include "support/program.h"

namespace {

const char* const kServerScript = DOLVANE_FIXTURES_DIR "/pymodbus_tcp_server.py";
const char* const kClientScript = DOLVANE_FIXTURES_DIR "/pymodbus_tcp_client.py";

// The pymodbus server; unit 1's register k holds 10 * k.
class PymodbusTcpServer : public ::testing::Test {
 protected:
  std::unique_ptr<Program> server;
  std::string name;  // mbtcp:127.0.0.1:PORT

  void Start(const std::string& mode) {
    server = std::make_unique<Program>("/usr/bin/python3", std::vector<std::string>{kServerScript, mode});
    const std::string ready = server->firstLine();
    ASSERT_EQ(ready.rfind("ready ", 0), 0u) << "python3-pymodbus is missing: ./test.sh installs it\n"
                                             << server->errors();
    name = "mbtcp:127.0.0.1:" + ready.substr(6);
  }

  CliRun Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"-p", name});
    return RunCliProgram(std::move(args));
  }
};

TEST_F(PymodbusTcpServer, ARegularServerIsReadAndWritten) {
  Start("ok");
  const CliRun read = Cli({"read-registers", "0", "2"});
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("{[事务标识] 00 01} {[协议标识] 00 00} {[长度] 00 07}\r\n"
                          "{[单元标识] 01} {[功能码] 03} {[字节长度] 04}"),
            std::string::npos)
      << read.out;
  EXPECT_NE(read.out.find("00 00 00 0A "), std::string::npos) << read.out;
  EXPECT_EQ(read.out.find("校验位"), std::string::npos) << read.out;

  const CliRun write = Cli({"write-register", "100", "42"});
  EXPECT_EQ(write.status, 0) << write.err;
  const CliRun again = Cli({"read-registers", "100", "1"});
  EXPECT_NE(again.out.find("00 2A "), std::string::npos) << again.out;
}

TEST_F(PymodbusTcpServer, AReplyToAnotherTransactionIsAMismatch) {
  Start("transaction");
  const CliRun run = Cli({"--trace", "read-registers", "0", "2"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("提示: 通讯错误或设备型号不兼容！\r\n应答事务号 2，请求的是 1；站号 1，" + name),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("[mismatch] reply to transaction 2, request 1, [MBAP ok]"), std::string::npos) << run.err;
}

// The simulated bus, steady so that two of them hold the same readings.
std::unique_ptr<Program> StartSim(std::vector<std::string> args) {
  args.push_back("--steady");
  return std::make_unique<Program>("dolvane-sim", std::move(args));
}

TEST(SimOverModbusTcp, PymodbusReadsAndWritesTheSimulatedModules) {
  const std::unique_ptr<Program> sim = StartSim({"--mbtcp", "127.0.0.1:0"});
  const std::string name = sim->firstLine();
  ASSERT_EQ(name.rfind("mbtcp:127.0.0.1:", 0), 0u) << sim->errors();
  // Station 1's model names itself in words 0 and 1 (version 700, 5).
  Program client("/usr/bin/python3", {kClientScript, name, "700", "5"});
  client.closeInput();
  const std::string steps = client.output();
  EXPECT_EQ(client.exitCode(20000), 0) << steps << client.errors();
}

// A report without its hex sections: the decoded lines, which the framing
// must not change.
std::string DecodedLines(const std::string& report) {
  std::istringstream in(report);
  std::string kept;
  for (std::string line; std::getline(in, line);)
    if (line.find_first_not_of("0123456789ABCDEF \r") != std::string::npos && line.rfind("十六进制显示", 0) != 0)
      kept += line + "\n";
  return kept;
}

TEST(SimOverModbusTcp, EveryModelReadsAsOverThePseudoTerminal) {
  const std::unique_ptr<Program> pty = StartSim({});
  const std::unique_ptr<Program> tcp = StartSim({"--mbtcp", "127.0.0.1:0"});
  const std::string ptyName = pty->firstLine();
  const std::string tcpName = tcp->firstLine();
  int station = 1;  // the simulator's stations follow the model list
  for (const ModelEntry& model : Models()) {
    SCOPED_TRACE(model.cliName);
    const std::string s = std::to_string(station);
    const CliRun overPty = RunCliProgram({"-p", ptyName, "-s", s, "read", model.cliName});
    const CliRun overTcp = RunCliProgram({"-p", tcpName, "-s", s, "read", model.cliName});
    ASSERT_EQ(overPty.status, 0) << overPty.err;
    EXPECT_EQ(overTcp.status, 0) << overTcp.err;
    char unit[16];
    std::snprintf(unit, sizeof unit, "%02X 03 ", station++);
    EXPECT_NE(overTcp.out.find(std::string("00 01 00 00 00 06 ") + unit), std::string::npos) << overTcp.out;
    EXPECT_NE(DecodedLines(overPty.out), "");
    EXPECT_EQ(DecodedLines(overTcp.out), DecodedLines(overPty.out));
  }
}

}  // namespace
