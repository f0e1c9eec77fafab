#include "monitor/trend_data.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "console/text.h"
#include "console/texts.h"

std::string TrendSpanText(int minutes) {
  std::string text;
  appendf(text, Tr("monitor", "最近 %d 分钟"), minutes);
  return text;
}

std::string PollIntervalText(int milliseconds) {
  if (milliseconds == 0) return Tr("monitor", "连续");
  std::string text;
  appendf(text, Tr("monitor", "%d 毫秒"), milliseconds);
  return text;
}

int64_t WallClockMs(std::chrono::system_clock::time_point at) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
}

void TrendData::reset(const std::vector<QuantityColumn>& columns) {
  columns_ = columns;
  seen_.assign(columns.size(), {});
  picked_.assign(columns.size(), false);
  for (size_t i = 0; i < columns.size() && i < kInitiallyPicked; ++i) picked_[i] = true;
}

std::vector<int> TrendData::pickedColumns() const {
  std::vector<int> columns;
  for (size_t i = 0; i < picked_.size(); ++i)
    if (picked_[i]) columns.push_back(static_cast<int>(i));
  return columns;
}

bool TrendData::pick(int column, bool on) {
  if (column < 0 || static_cast<size_t>(column) >= picked_.size()) return false;
  if (on && !picked_[column] && pickedColumns().size() >= kMaxPicked) return false;
  picked_[column] = on;
  return true;
}

void TrendData::add(const PollResult& result) {
  const int64_t ms = WallClockMs(result.wallClock);
  std::unordered_map<std::string, double> valueOf;
  for (const Quantity& q : result.quantities) valueOf[q.key] = q.value;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const auto found = valueOf.find(columns_[i].key);
    if (found == valueOf.end()) continue;  // a line this module's firmware lacks
    std::deque<Sample>& samples = seen_[i];
    samples.push_back({ms, found->second});
    while (samples.size() > kSamplesKept || ms - samples.front().ms > kLongestSpanMs) samples.pop_front();
  }
}

TrendPicture TrendData::picture(int64_t nowMs, int minutes) const {
  TrendPicture picture;
  const int64_t from = nowMs - int64_t{minutes} * 60 * 1000;
  picture.inMinutes = minutes >= 15;
  const double unitMs = picture.inMinutes ? 60000.0 : 1000.0;
  picture.timeTitle = picture.inMinutes ? Tr("monitor", "分钟（0 为此刻）") : Tr("monitor", "秒（0 为此刻）");
  picture.tickCount = minutes == 5 || minutes == 15 ? 6 : 5;
  picture.from = static_cast<double>(from - nowMs) / unitMs;
  double low = 0;
  double high = 0;
  bool any = false;
  for (int column : pickedColumns()) {
    TrendCurve curve{column, columns_[column].heading(), {}};
    for (const Sample& s : seen_[column]) {
      if (s.ms < from) continue;
      curve.points.push_back({static_cast<double>(s.ms - nowMs) / unitMs, s.value});
      low = any ? std::min(low, s.value) : s.value;
      high = any ? std::max(high, s.value) : s.value;
      any = true;
    }
    picture.curves.push_back(std::move(curve));
  }
  const double margin = std::max((high - low) * 0.05, std::max(std::abs(high), 1.0) * 0.01);
  picture.low = low - margin;
  picture.high = high + margin;
  return picture;
}
