// What a trend window plots: the picked curves, the span's points in the axis'
// unit, the value range, and what falls off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/trend_data.h"

namespace {

constexpr int64_t kNow = 1'800'000'000'000;  // ms since the epoch

std::vector<QuantityColumn> Columns(int count) {
  std::vector<QuantityColumn> columns;
  for (int i = 0; i < count; ++i) columns.push_back({"k" + std::to_string(i), "q" + std::to_string(i), "V"});
  return columns;
}

// An ok poll at `ms` with these values by column key.
PollResult Poll(int64_t ms, const std::vector<std::pair<std::string, double>>& values) {
  PollResult result;
  result.wallClock = std::chrono::system_clock::time_point(std::chrono::milliseconds(ms));
  for (const auto& [key, value] : values) result.quantities.push_back({key, key, "", value});
  return result;
}

std::vector<double> Xs(const TrendCurve& curve) {
  std::vector<double> xs;
  for (const TrendPoint& p : curve.points) xs.push_back(p.x);
  return xs;
}

TEST(TrendData, PicksTheFirstFewAndRefusesANinth) {
  TrendData trend;
  trend.reset(Columns(12));
  EXPECT_EQ(trend.pickedColumns(), (std::vector<int>{0, 1, 2}));
  for (int column = 3; column < 8; ++column) EXPECT_TRUE(trend.pick(column, true));
  EXPECT_FALSE(trend.pick(8, true));
  EXPECT_FALSE(trend.picked(8));
  EXPECT_TRUE(trend.pick(3, true));  // picked already: still eight
  EXPECT_TRUE(trend.pick(0, false));
  EXPECT_TRUE(trend.pick(8, true));
  EXPECT_EQ(trend.pickedColumns(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(trend.picture(kNow, 5).curves.size(), 8u);

  trend.reset(Columns(2));  // a new target starts afresh
  EXPECT_EQ(trend.pickedColumns(), (std::vector<int>{0, 1}));
}

TEST(TrendData, ShowsTheSpanBeforeNowInSecondsOrMinutes) {
  TrendData trend;
  trend.reset(Columns(3));
  trend.add(Poll(kNow - 90'000, {{"k0", 10}, {"k1", 11}}));
  trend.add(Poll(kNow - 30'000, {{"k0", 20}, {"k1", 12}}));
  trend.add(Poll(kNow, {{"k0", 30}}));  // a line this module lacks: k1 has no point here

  const TrendPicture minute = trend.picture(kNow, 1);
  EXPECT_FALSE(minute.inMinutes);
  EXPECT_STREQ(minute.timeTitle, "秒（0 为此刻）");
  EXPECT_DOUBLE_EQ(minute.from, -60);
  EXPECT_EQ(minute.tickCount, 5);
  ASSERT_EQ(minute.curves.size(), 3u);
  EXPECT_EQ(minute.curves[0].name, "q0 (V)");
  EXPECT_EQ(Xs(minute.curves[0]), (std::vector<double>{-30, 0}));
  EXPECT_EQ(Xs(minute.curves[1]), (std::vector<double>{-30}));
  EXPECT_TRUE(minute.curves[2].points.empty());
  // 12 .. 30 and a margin of 5 % of that range.
  EXPECT_DOUBLE_EQ(minute.low, 12 - 0.9);
  EXPECT_DOUBLE_EQ(minute.high, 30 + 0.9);

  const TrendPicture quarter = trend.picture(kNow, 15);
  EXPECT_TRUE(quarter.inMinutes);
  EXPECT_STREQ(quarter.timeTitle, "分钟（0 为此刻）");
  EXPECT_DOUBLE_EQ(quarter.from, -15);
  EXPECT_EQ(quarter.tickCount, 6);
  EXPECT_EQ(Xs(quarter.curves[0]), (std::vector<double>{-1.5, -0.5, 0}));

  // A flat line still gets a range to sit in.
  TrendData flat;
  flat.reset(Columns(1));
  flat.add(Poll(kNow, {{"k0", 0}}));
  const TrendPicture level = flat.picture(kNow, 5);
  EXPECT_LT(level.low, 0);
  EXPECT_GT(level.high, 0);
}

TEST(TrendData, ForgetsWhatTheLongestSpanCannotShowAndKeepsAtMostItsSampleLimit) {
  TrendData old;
  old.reset(Columns(1));
  old.add(Poll(kNow - TrendData::kLongestSpanMs - 1, {{"k0", 1}}));
  old.add(Poll(kNow - TrendData::kLongestSpanMs, {{"k0", 2}}));
  old.add(Poll(kNow, {{"k0", 3}}));
  EXPECT_EQ(old.samplesOf(0), 2u);
  EXPECT_EQ(old.picture(kNow, 60).curves[0].points.size(), 2u);

  TrendData fast;
  fast.reset(Columns(1));
  for (size_t i = 0; i <= TrendData::kSamplesKept; ++i) fast.add(Poll(kNow - 100'000 + static_cast<int64_t>(i), {{"k0", 1}}));
  EXPECT_EQ(fast.samplesOf(0), TrendData::kSamplesKept);
}

}  // namespace
