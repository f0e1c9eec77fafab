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

namespace {

int64_t SpanMs(int minutes) { return int64_t{minutes} * 60 * 1000; }
int64_t BucketMs(size_t span) { return SpanMs(kTrendMinuteChoices[span]) / TrendData::kBucketsPerSpan; }

size_t SpanIndexOf(int minutes) {
  for (size_t span = 0; span < TrendData::kSpanCount; ++span)
    if (kTrendMinuteChoices[span] == minutes) return span;
  return TrendData::kSpanCount - 1;  // the longest holds every other
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

// Where a bucket index sits in its span's ring.
size_t SlotOf(int64_t index, size_t ringSize) {
  const auto size = static_cast<int64_t>(ringSize);
  return static_cast<size_t>((index % size + size) % size);
}

// A value range with a margin, so even a flat line has room to sit in.
void SetRange(double low, double high, double& shownLow, double& shownHigh) {
  const double margin = std::max((high - low) * 0.05, std::max(std::abs(high), 1.0) * 0.01);
  shownLow = low - margin;
  shownHigh = high + margin;
}

}  // namespace

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

void TrendData::setPickedColumns(const std::vector<int>& columns) {
  picked_.assign(columns_.size(), false);
  for (int column : columns) pick(column, true);
}

void TrendData::add(const PollResult& result) {
  const int64_t ms = WallClockMs(result.wallClock);
  std::unordered_map<std::string, double> valueOf;
  for (const Quantity& q : result.quantities) valueOf[q.key] = q.value;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const auto found = valueOf.find(columns_[i].key);
    if (found == valueOf.end()) continue;  // a line this module's firmware lacks
    const double value = found->second;
    for (size_t span = 0; span < kSpanCount; ++span) {
      std::vector<Bucket>& ring = seen_[i][span];
      if (ring.empty()) ring.resize(kBucketsPerSpan + 1);
      const int64_t length = BucketMs(span);
      const int64_t index = FloorDiv(ms, length);
      const auto at = static_cast<uint32_t>(ms - index * length);
      Bucket& bucket = ring[SlotOf(index, ring.size())];
      if (bucket.index != index) {
        bucket = {index, at, at, value, value};
        continue;
      }
      if (value < bucket.low) {
        bucket.low = value;
        bucket.lowAt = at;
      }
      if (value > bucket.high) {
        bucket.high = value;
        bucket.highAt = at;
      }
    }
  }
}

size_t TrendData::historyBytes() const {
  size_t bytes = 0;
  for (const History& history : seen_)
    for (const std::vector<Bucket>& ring : history) bytes += ring.capacity() * sizeof(Bucket);
  return bytes;
}

TrendPicture TrendData::picture(int64_t nowMs, int minutes) const {
  TrendPicture picture;
  const size_t span = SpanIndexOf(minutes);
  const int64_t from = nowMs - SpanMs(minutes);
  picture.inMinutes = minutes >= 15;
  const double unitMs = picture.inMinutes ? 60000.0 : 1000.0;
  picture.timeTitle = picture.inMinutes ? Tr("monitor", "分钟（0 为此刻）") : Tr("monitor", "秒（0 为此刻）");
  picture.tickCount = minutes == 5 || minutes == 15 ? 6 : 5;
  picture.from = static_cast<double>(from - nowMs) / unitMs;

  struct Extent {
    bool any = false;
    double low = 0;
    double high = 0;
    void take(double value) {
      low = any ? std::min(low, value) : value;
      high = any ? std::max(high, value) : value;
      any = true;
    }
  };
  Extent all;
  std::vector<Extent> ofAxis;
  const int64_t length = BucketMs(span);
  for (int column : pickedColumns()) {
    TrendCurve curve{column, columns_[column].heading(), 0, {}};
    const std::string& unit = columns_[column].unit;
    const auto axis = std::find_if(picture.axes.begin(), picture.axes.end(),
                                   [&](const TrendAxis& a) { return a.unit == unit; });
    curve.axis = static_cast<int>(axis - picture.axes.begin());
    if (axis == picture.axes.end()) {
      picture.axes.push_back({unit, 0, 0});
      ofAxis.emplace_back();
    }
    const std::vector<Bucket>& ring = seen_[column][span];
    const auto point = [&](int64_t ms, double value) {
      if (ms < from || ms > nowMs) return;
      curve.points.push_back({static_cast<double>(ms - nowMs) / unitMs, value});
      all.take(value);
      ofAxis[static_cast<size_t>(curve.axis)].take(value);
    };
    if (!ring.empty()) {
      for (int64_t index = FloorDiv(from, length); index <= FloorDiv(nowMs, length); ++index) {
        const Bucket& bucket = ring[SlotOf(index, ring.size())];
        if (bucket.index != index) continue;
        const int64_t start = index * length;
        const bool lowFirst = bucket.lowAt <= bucket.highAt;
        point(start + (lowFirst ? bucket.lowAt : bucket.highAt), lowFirst ? bucket.low : bucket.high);
        if (bucket.lowAt != bucket.highAt || bucket.low != bucket.high)
          point(start + (lowFirst ? bucket.highAt : bucket.lowAt), lowFirst ? bucket.high : bucket.low);
      }
    }
    picture.curves.push_back(std::move(curve));
  }
  SetRange(all.low, all.high, picture.low, picture.high);
  for (size_t a = 0; a < picture.axes.size(); ++a) SetRange(ofAxis[a].low, ofAxis[a].high, picture.axes[a].low, picture.axes[a].high);
  return picture;
}
