// Live readings drift slowly and stay plausible, so a trend plot moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "readers/models.h"
#include "support/models.h"
#include "support/reply.h"

namespace {

// The value of a quantity over successive refreshes of a module's registers.
std::vector<double> Series(const char* model, const char* key, int refreshes) {
  const ModelEntry& entry = ModelNamed(model);
  std::vector<uint16_t> regs(entry.sim.registerCount, 0);
  std::mt19937 rng(1);
  entry.sim.fillIdentity(regs);
  std::vector<double> values;
  for (int i = 0; i < refreshes; ++i) {
    entry.sim.fillLive(regs, rng);
    const std::vector<uint16_t> block(regs.begin() + entry.reader.start,
                                      regs.begin() + entry.reader.start + entry.reader.count);
    std::string text;
    for (const Quantity& q : entry.reader.decodeInto(text, WordsIn(ReplyOf(block))))
      if (q.key == key) values.push_back(q.value);
  }
  return values;
}

TEST(LiveDrift, ReadingsWanderBeyondTheirNoiseAndStayInTheirBand) {
  const struct {
    const char* model;
    const char* key;
    double low, high;  // the band the reading keeps to
    double swing;      // more than a reply's noise moves it
  } cases[] = {
      {"4SXY", "ch1.i", 1.85, 2.15, 0.06},    {"4SXY", "ch1.u", 217.3, 222.7, 0.6},
      {"3SXY", "ch2.i", 2.83, 3.17, 0.06},    {"8SXY", "ch5.i", 3.0, 3.5, 0.06},
      {"4RXY", "ch1.i", 1.88, 2.12, 0.06},    {"3RX", "ch1.u", 217.0, 223.0, 0.5},
      {"16RXY", "ch16.i", 4.7, 5.3, 0.06},    {"5UZ", "ch1.iac", 1.88, 2.12, 0.06},
      {"4WX", "ch1.fast.i", 1880, 2120, 60},  {"9VXY", "ch1.i", 945, 1055, 15},
      {"foreign", "u", 2170, 2230, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " " + c.key);
    const std::vector<double> values = Series(c.model, c.key, 300);
    ASSERT_EQ(values.size(), 300u);
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    EXPECT_GE(*low, c.low);
    EXPECT_LE(*high, c.high);
    EXPECT_GT(*high - *low, c.swing);
  }
}

}  // namespace
