#include <gtest/gtest.h>

#include "console/text.h"

TEST(ParseDecimal, FieldRule) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"", 0},          {"abc", 0},       {"255", 255},     {"  12", 12},
      {"12ab", 12},     {"-1", -1},       {" +7", 7},       {"- 5", 0},
      {"\t 0031", 31},  {"99999999999", 2147483647},        {"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
}

TEST(Appendf, AppendsFormatted) {
  std::string s = "a";
  appendf(s, "%02X %s %.2f", 0x0B, "中文", 2.5);
  EXPECT_EQ(s, "a0B 中文 2.50");
}
