// What a trend window plots: the picked curves, the span's points in the axis'
// unit, the value range, and what falls off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
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

TEST(TrendData, ForgetsWhatTheLongestSpanCannotShow) {
  TrendData old;
  old.reset(Columns(1));
  old.add(Poll(kNow - TrendData::kLongestSpanMs - 1, {{"k0", 1}}));
  old.add(Poll(kNow - TrendData::kLongestSpanMs, {{"k0", 2}}));
  old.add(Poll(kNow, {{"k0", 3}}));
  const TrendPicture hour = old.picture(kNow, 60);
  ASSERT_EQ(hour.curves[0].points.size(), 2u);
  EXPECT_EQ(hour.curves[0].points[0].y, 2);
}

// 50 polls a second for ten minutes, a sine with one spike: every span is
// filled from its start to now, the spike and the troughs survive the
// decimation, and the history holds no more than with a slow poll.
TEST(TrendData, AFastPollFillsEverySpanKeepingItsExtremesInFixedMemory) {
  constexpr int64_t kStepMs = 20;
  constexpr int64_t kRunMs = 10 * 60 * 1000;
  constexpr int64_t kSpikeMs = kNow - 23'456;  // inside the shortest span
  TrendData trend;
  trend.reset(Columns(2));
  trend.add(Poll(kNow - kRunMs, {{"k0", 0}, {"k1", 0}}));
  const size_t bytesAtStart = trend.historyBytes();
  for (int64_t ms = kNow - kRunMs; ms <= kNow; ms += kStepMs) {
    const double wave = std::sin(static_cast<double>(ms % 10'000) / 10'000 * 2 * std::numbers::pi);
    trend.add(Poll(ms, {{"k0", ms == kSpikeMs - kSpikeMs % kStepMs ? 1000 : wave}, {"k1", -wave}}));
  }
  EXPECT_EQ(trend.historyBytes(), bytesAtStart);

  for (int minutes : kTrendMinuteChoices) {
    SCOPED_TRACE(minutes);
    const TrendPicture picture = trend.picture(kNow, minutes);
    const std::vector<TrendPoint>& points = picture.curves[0].points;
    ASSERT_FALSE(points.empty());
    const double bucket = -picture.from / TrendData::kBucketsPerSpan;
    const double shownFrom = minutes <= 10 ? picture.from : picture.from * 10.0 / minutes;
    EXPECT_LE(points.front().x, shownFrom + bucket);
    EXPECT_DOUBLE_EQ(points.back().x, 0);
    EXPECT_LE(points.size(), 2u * (TrendData::kBucketsPerSpan + 1));
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(), [](auto& a, auto& b) { return a.x < b.x; }));
    const auto [low, high] = std::minmax_element(points.begin(), points.end(), [](auto& a, auto& b) { return a.y < b.y; });
    EXPECT_EQ(high->y, 1000);
    EXPECT_NEAR(low->y, -1, 1e-3);
    EXPECT_GE(picture.high, 1000);
  }
}

TEST(TrendData, GivesEachUnitItsOwnAxis) {
  TrendData trend;
  trend.reset({{"i", "电流", "A"}, {"u", "电压", "V"}, {"i2", "电流2", "A"}, {"p", "功率", "W"}});
  trend.setPickedColumns({0, 1, 2, 3});
  trend.add(Poll(kNow, {{"i", 5}, {"u", 230}, {"i2", 1}, {"p", 1150}}));
  const TrendPicture picture = trend.picture(kNow, 1);
  ASSERT_EQ(picture.axes.size(), 3u);
  EXPECT_EQ(picture.axes[0].unit, "A");
  EXPECT_EQ(picture.axes[1].unit, "V");
  EXPECT_EQ(picture.axes[2].unit, "W");
  std::vector<int> axisOf;
  for (const TrendCurve& curve : picture.curves) axisOf.push_back(curve.axis);
  EXPECT_EQ(axisOf, (std::vector<int>{0, 1, 0, 2}));
  EXPECT_LT(picture.axes[0].low, 1);
  EXPECT_GT(picture.axes[0].high, 5);
  EXPECT_LT(picture.axes[0].high, 230);  // the volts do not squash the amps
  EXPECT_LT(picture.axes[1].low, 230);
  EXPECT_GT(picture.axes[1].high, 230);
}

}  // namespace
