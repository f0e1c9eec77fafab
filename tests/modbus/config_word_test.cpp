#include "modbus/config_word.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigWord, DecodeRefusesUnknownBaudAndFormatNumbers) {
  struct Case {
    uint16_t word;
    bool valid;
    int baud, format, station;
  };
  const Case cases[] = {
      {0x0001, true, 0, 0, 1},   {0x38F7, true, 8, 3, 247}, {0x1005, true, 0, 1, 5},
      {0x0800, true, 8, 0, 0},   {0x0900, false, 0, 0, 0},  {0x4001, false, 0, 0, 0},
      {0x8001, false, 0, 0, 0},  {0xC000, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const auto w = DecodeCommWord(c.word);
    ASSERT_EQ(w.has_value(), c.valid) << std::hex << c.word;
    if (!w) continue;
    EXPECT_EQ(w->baudNumber, c.baud);
    EXPECT_EQ(w->formatNumber, c.format);
    EXPECT_EQ(w->station, c.station);
  }
}

TEST(ConfigWord, BaudNumbersSend9600AsZero) {
  const int numbers[] = {1, 2, 3, 0, 5, 6, 7, 8};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(BaudNumberForIndex(i), numbers[i]) << i;
  EXPECT_EQ(BaudNumberForIndex(-1), -1);
  EXPECT_EQ(BaudNumberForIndex(8), -1);
  const int rates[] = {9600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
  for (int b = 0; b <= 8; ++b) EXPECT_EQ(BaudRateForNumber(b), rates[b]) << b;
  EXPECT_EQ(BaudRateForNumber(9), 0);
}

TEST(ConfigWord, ComposeDoesNotOverflow) {
  EXPECT_EQ(ComposeCommWord(8, 3, 247), 0x38F7);
  EXPECT_EQ(ComposeCommWord(0, 1, 5), 0x1005);
  EXPECT_GT(ComposeCommWord(0, 0x7FFFFFFF, 1), 65535);
}

TEST(ConfigWord, ConfirmationText) {
  EXPECT_EQ(CommParamsConfirmation(*DecodeCommWord(0x0201)),
            "该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数："
            "\r\n波特率号：2=2400BPS。\r\n校验值号：0=N,8,1。\r\n模块站号：1。");
  const std::string text = CommParamsConfirmation(*DecodeCommWord(0x3800));
  EXPECT_NE(text.find("\r\n波特率号：8=115200BPS。\r\n校验值号：3=N,8,2。\r\n模块站号：0。"),
            std::string::npos);
}

}  // namespace
