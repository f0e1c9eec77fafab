// Whether a sound reply answers its request: one table of requests, replies and
// what the box's second line says about them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modbus/frames.h"
#include "modbus/reply_check.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Length and CRC have passed before the check, so the cases carry no CRC.
const struct Case {
  const char* name;
  Bytes request;
  Bytes reply;
  const char* mismatch;  // nullptr: the reply answers
} kCases[] = {
    {"read answered", {1, 3, 0, 0, 0, 2}, {1, 3, 4, 0, 10, 0, 20}, nullptr},
    {"read from another station", {1, 3, 0, 0, 0, 2}, {2, 3, 4, 0, 10, 0, 20}, "应答来自站号 2，请求的是站号 1"},
    {"read answered by function 04", {1, 3, 0, 0, 0, 2}, {1, 4, 4, 0, 10, 0, 20}, "应答功能码 04，请求的是 03"},
    {"read with a wrong byte count", {1, 3, 0, 0, 0, 2}, {1, 3, 2, 0, 10, 0, 20}, "应答字节长度 2，请求的是 4"},
    {"exception to this request", {1, 3, 0, 0, 0, 2}, {1, 0x83, 2}, nullptr},
    {"exception from another station", {1, 3, 0, 0, 0, 2}, {7, 0x83, 2}, "应答来自站号 7，请求的是站号 1"},
    {"exception to another function", {1, 3, 0, 0, 0, 2}, {1, 0x86, 2}, "应答功能码 86，请求的是 03"},
    {"write echoed", {1, 6, 0, 100, 0, 42}, {1, 6, 0, 100, 0, 42}, nullptr},
    {"write confirming another value", {1, 6, 0, 100, 0, 42}, {1, 6, 0, 100, 0, 43}, "写入确认的数值 43 与写入的 42 不符"},
    {"write confirming another address", {1, 6, 0, 100, 0, 42}, {1, 6, 0, 101, 0, 42}, "写入确认的地址 101 与写入的 100 不符"},
    {"block write echoed", {1, 0x10, 0, 10, 0, 2, 4, 0, 1, 0, 2}, {1, 0x10, 0, 10, 0, 2}, nullptr},
    {"block write with another start", {1, 0x10, 0, 10, 0, 2, 4, 0, 1, 0, 2}, {1, 0x10, 0, 11, 0, 2}, "写入确认的起始地址 11 与写入的 10 不符"},
    {"block write with another count", {1, 0x10, 0, 10, 0, 2, 4, 0, 1, 0, 2}, {1, 0x10, 0, 10, 0, 1}, "写入确认的长度 1 与写入的 2 不符"},
};

TEST(ReplyCheck, EachFieldOfTheReplyAgainstTheRequest) {
  for (const Case& c : kCases) {
    const auto m = CheckReply(Framing::kRtu, c.request.data(), c.request.size(), c.reply.data(), c.reply.size());
    if (!c.mismatch) {
      EXPECT_FALSE(m) << c.name << ": " << m->text;
      continue;
    }
    ASSERT_TRUE(m) << c.name;
    EXPECT_EQ(m->text, c.mismatch) << c.name;
    EXPECT_FALSE(m->english.empty()) << c.name;
  }
}

}  // namespace
