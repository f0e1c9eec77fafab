// Every exchange handler when the line fails under it: a write refused or taken
// in part, or a read that fails. Each ends with its one box, the pane keeping the
// request section it showed before sending, and nothing sent after the failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/control_ids.h"
#include "console/text.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "support/hex.h"
#include "support/models.h"
#include "support/reply.h"
#include "support/scripted_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum class Failure { kWriteFails, kWritePartial, kReadFails };

const struct FailureCase {
  const char* name;
  Failure failure;
  const char* box;
} kFailures[] = {
    {"write fails", Failure::kWriteFails, "写串口失败!"},
    {"write partial", Failure::kWritePartial, "写串口失败!"},
    {"read fails", Failure::kReadFails, "读串口失败!"},
};

// One exchange of one handler: the n-th request its button sends.
struct Exchange {
  std::string name;
  int controlId;
  int number;
};

// Every click of the command table that talks to a module, plus the nine-channel
// reader's second request. The port button and the recovery scan are not
// exchanges of this kind and have their own tests.
std::vector<Exchange> Exchanges() {
  std::vector<Exchange> out;
  for (const Command& command : CommandTable()) {
    if (command.event != CommandEvent::kClick || command.controlId == ids::kOpenPort ||
        command.controlId == ids::kCommReset)
      continue;
    const ModelEntry* model = FindModelByButton(command.controlId);
    out.push_back({model ? model->cliName : "button " + std::to_string(command.controlId),
                   command.controlId, 1});
  }
  out.push_back({"9VXY second request", ModelNamed("9VXY").buttonId, 2});
  return out;
}

// The request section as each handler shows it: the register tools annotate
// their frames field by field, every other exchange dumps the bytes.
std::string ShownRequest(int controlId, const Bytes& f) {
  std::string s;
  if (controlId == ids::kReadRegisters) {
    appendf(s,
            "十六进制显示发送数据：\r\n\r\n{[模块站号] %02X} {[功能码] %02X} {[起始地址] %02X %02X}"
            "\r\n{[读取长度] %02X %02X} {[校验位] %02X %02X}\r\n",
            f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]);
  } else if (controlId == ids::kWriteRegisters) {
    appendf(s,
            "十六进制显示发送数据：\r\n\r\n{[模块站号] %02X} {[功能码] %02X} {[起始地址] %02X %02X}"
            "\r\n{[写入长度] %02X %02X}{[字节长度] %02X}\r\n\r\n{[数据内容]\r\n",
            f[0], f[1], f[2], f[3], f[4], f[5], f[6]);
    s += Hex(f.data() + 7, f.size() - 9, 24);
    appendf(s, "\r\n}\r\n\r\n{[校验位] %02X %02X}", f[f.size() - 2], f[f.size() - 1]);
  } else {
    s = RequestSection(f);
  }
  return s;
}

class HandlerFailures : public ScriptedFixture {
 protected:
  void SetUp() override {
    ScriptedFixture::SetUp();
    SetDefaultFields(console);
    // Inputs every handler accepts, so each reaches its exchange.
    console.fields[ids::kReadStart] = "0";
    console.fields[ids::kReadCount] = "10";
    console.fields[ids::kWriteAddress] = "5";
    console.fields[ids::kWriteValue] = "7";
    console.fields[ids::kWriteStart] = "0";
    console.fields[ids::kWriteCount] = "2";
    console.fields[ids::kWriteValues[0]] = "1";
    console.fields[ids::kWriteValues[1]] = "2";
    OpenScriptedPort();
  }

  void Arm(Failure failure, int exchange) {
    console.boxes.clear();
    console.pane.clear();
    port->written.clear();
    port->replies.clear();
    port->reads = 0;
    port->failWriteNumber = port->shortWriteNumber = port->failReadNumber = 0;
    switch (failure) {
      case Failure::kWriteFails: port->failWriteNumber = exchange; break;
      case Failure::kWritePartial: port->shortWriteNumber = exchange; break;
      case Failure::kReadFails: port->failReadNumber = exchange; break;
    }
  }
};

TEST_F(HandlerFailures, OneBoxRequestSectionAndNothingSentAfter) {
  // A first reply of the nine-channel reader that lets it go on to its second request.
  const Bytes firstReply = ReplyOf(WordsOf(120, {{0, 100}}));
  for (const Exchange& exchange : Exchanges()) {
    for (const FailureCase& c : kFailures) {
      SCOPED_TRACE(exchange.name + ", " + c.name);
      Arm(c.failure, exchange.number);
      if (exchange.number == 2) port->replies.push_back(firstReply);
      ASSERT_TRUE(console.press(ops, exchange.controlId));

      EXPECT_EQ(console.infoTexts(), std::vector<std::string>{c.box});
      ASSERT_EQ(port->written.size(), static_cast<size_t>(exchange.number));
      const bool writeFailed = c.failure != Failure::kReadFails;
      EXPECT_EQ(port->reads, exchange.number - (writeFailed ? 1 : 0));

      std::string pane;
      if (exchange.number == 2) {
        pane = RequestSection(port->written[0]) + ReplySection(firstReply);
      }
      pane += ShownRequest(exchange.controlId, port->written.back());
      EXPECT_EQ(console.pane, pane);
    }
  }
}

}  // namespace
