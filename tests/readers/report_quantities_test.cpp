// Every reader's values come from the same calls as its text: each quantity's
// label stands in the report with the quantity's value printed after its "：".
#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "readers/models.h"
#include "support/models.h"
#include "support/reply.h"

namespace {

// Words that make every line print something other than zero, from a sound module.
std::vector<uint16_t> BusyBlock(const ModelEntry& model, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint16_t> words(model.reader.count);
  for (uint16_t& w : words) w = static_cast<uint16_t>(rng());
  words[0] = std::string(model.cliName) == "3SXY" ? 21133 : 700;
  return words;
}

// The number after the label's last words and "：", searched from `from` on;
// `from` moves past it. Blanks may stand between the words and the colon.
bool NumberAfter(const std::string& text, const std::string& label, size_t& from, double& value) {
  const std::string words = label.substr(label.rfind(' ') == std::string::npos ? 0 : label.rfind(' ') + 1);
  for (size_t at = text.find(words, from); at != std::string::npos; at = text.find(words, at + 1)) {
    size_t p = at + words.size();
    while (p < text.size() && text[p] == ' ') ++p;
    if (text.compare(p, 3, "：") != 0) continue;
    p += 3;
    while (p < text.size() && text[p] == ' ') ++p;
    const auto parsed = std::from_chars(text.data() + p, text.data() + text.size(), value);
    if (parsed.ec != std::errc()) continue;
    from = static_cast<size_t>(parsed.ptr - text.data());
    return true;
  }
  return false;
}

TEST(ReportQuantities, EachValueIsPrintedAfterItsLabelInOrder) {
  for (const ModelEntry& model : Models()) {
    for (uint32_t seed : {1u, 2u, 3u}) {
      SCOPED_TRACE(std::string(model.cliName) + " seed " + std::to_string(seed));
      const std::vector<uint8_t> reply = ReplyOf(BusyBlock(model, seed));
      std::string text;
      const std::vector<Quantity> quantities = model.reader.decodeInto(text, WordsIn(reply));
      std::string plain;
      model.reader.format(plain, WordsIn(reply));
      EXPECT_EQ(text, plain);  // recording the values leaves the text alone
      ASSERT_FALSE(quantities.empty());

      std::set<std::string> keys;
      size_t from = 0;
      for (const Quantity& q : quantities) {
        SCOPED_TRACE(q.key + " " + q.label);
        EXPECT_TRUE(keys.insert(q.key).second) << "keys are unique";
        for (char c : q.key) EXPECT_TRUE(isalnum(static_cast<unsigned char>(c)) || c == '.');
        double printed = 0;
        ASSERT_TRUE(NumberAfter(text, q.label, from, printed));
        EXPECT_EQ(q.value, printed);
      }
    }
  }
}

TEST(ReportQuantities, KeysLabelsUnitsAndValues) {
  const struct {
    const char* model;
    std::map<int, uint16_t> words;
    const char* key;
    const char* label;
    const char* unit;
    double value;
  } cases[] = {
      {"4SXY", {{0, 620}, {8, 1234}}, "ch1.i", "一路电流", "A", 12.34},
      {"4SXY", {{0, 620}, {35, 0xFF38}}, "ch4.p", "四路有功", "W", -200},
      {"4SXY", {{0, 620}, {20, 5}}, "ch2.ct", "二路 电流变比", "", 5},
      {"3SXY", {{0, 21133}, {11, 0xFFFF}, {12, 0xFFFE}}, "total.p", "三相有功", "W", -2},
      {"3SXY", {{0, 21133}, {54, 9950}}, "ch2.pf", "二路 功率因数", "%", 99.5},
      {"8SXY", {{0, 620}, {17, 250}}, "ch6.i", "F路电流", "A", 2.5},
      {"4RXY", {{0, 700}, {9, 1234}}, "ch2.i", "通道二 电流", "A", 12.34},
      {"4RXY", {{0, 700}, {24, 0xFF9C}}, "ch1.q", "通道一 无功功率", "kVar", -1},
      {"3RX", {{0, 700}, {30, 150}}, "total.p", "总有功", "kW", 1.5},
      {"16RXY", {{0, 700}, {23, 250}}, "ch16.i", "16通道 电流", "A", 2.5},
      {"10RX", {{0, 700}, {28, 499}}, "ch1.ifast", "01通道 快速", "A", 4.99},
      {"5UZ", {{0, 700}, {15, 0xFF88}}, "ch3.idc", "03通道 直流", "A", -1.2},
      {"4WX", {{0, 700}, {52, 500}}, "ch1.fast.fi", "通道一 电流快速值 基频", "Hz", 50},
      {"4WX", {{0, 700}, {76, 0xDCD8}}, "ch1.pf", "通道一 慢速值 因数", "", -0.9},
      {"9VXY", {{0, 700}, {90, 5001}}, "uin.f", "电压通道 慢速值 频率", "Hz", 50.01},
      {"9VXY", {{0, 700}, {91, 1}, {92, 2}}, "ch1.ep", "通道一 正向", "", 65538},
      {"foreign", {{5, 0xFF9C}}, "pf", "因数", "", -100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " " + c.key);
    const ReaderModel& reader = ModelNamed(c.model).reader;
    std::string text;
    const std::vector<Quantity> quantities =
        reader.decodeInto(text, WordsIn(ReplyOf(WordsOf(reader.count, c.words))));
    const Quantity* found = nullptr;
    for (const Quantity& q : quantities)
      if (q.key == c.key) found = &q;
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->label, c.label);
    EXPECT_EQ(found->unit, c.unit);
    EXPECT_DOUBLE_EQ(found->value, c.value);
  }
}

// The value is the number as printed, not the one before rounding.
TEST(ReportBuilder, ValueIsThePrintedNumber) {
  std::string text = "head ";
  std::vector<Quantity> quantities;
  ReportBuilder report(text, &quantities);
  report.quantity("a", "", "A", "电流    ：%06.2fA\r\n", 2.345678);
  report.quantity("b", "通道一", "", "%02d通道->交直流：%05d； ", 3, -12);
  report.text("%s", "no value");
  EXPECT_EQ(text, "head 电流    ：002.35A\r\n03通道->交直流：-0012； no value");
  ASSERT_EQ(quantities.size(), 2u);
  EXPECT_EQ(quantities[0].label, "电流");
  EXPECT_EQ(quantities[0].value, 2.35);
  EXPECT_EQ(quantities[1].label, "通道一 03通道 交直流");
  EXPECT_EQ(quantities[1].value, -12);
}

}  // namespace
