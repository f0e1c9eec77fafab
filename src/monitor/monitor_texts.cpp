#include "monitor/monitor_texts.h"

#include <ctime>

#include "console/local_time.h"
#include "console/text.h"
#include "console/texts.h"
#include "monitor/trend_data.h"

std::string CountersText(const PollCounters& counters, double pollsPerSecond) {
  static constexpr TrText kNames[kPollStatusCount] = {
      TrNoop("monitor", "正常"), TrNoop("monitor", "超时"),     TrNoop("monitor", "短帧"),
      TrNoop("monitor", "校验错"), TrNoop("monitor", "应答不符"), TrNoop("monitor", "异常"),
      TrNoop("monitor", "型号不符"), TrNoop("monitor", "端口错")};
  std::string text;
  appendf(text, Tr("monitor", "轮询 %llu 次（"), static_cast<unsigned long long>(counters.polls));
  for (size_t s = 0; s < kPollStatusCount; ++s)
    appendf(text, "%s%s %llu", s ? Tr("monitor", "，") : "", kNames[s].text(),
            static_cast<unsigned long long>(counters.byStatus[s]));
  appendf(text, Tr("monitor", "），%.1f 次/秒"), pollsPerSecond);
  return text;
}

std::string MonitorStatusText(bool running, const PollCounters& counters, double pollsPerSecond) {
  return (running ? Tr("monitor", "监视中：") : Tr("monitor", "监视已停止：")) +
         CountersText(counters, pollsPerSecond);
}

std::string CurvesLabel() {
  std::string text;
  appendf(text, Tr("monitor", "曲线(最多%d项):"), TrendData::kMaxPicked);
  return text;
}

std::string StaleBannerText(const std::optional<std::chrono::system_clock::time_point>& lastGood,
                            const std::string& failure) {
  std::string text;
  if (lastGood) {
    const LocalTime at = LocalTimeOf(*lastGood);
    char clock[16];
    std::strftime(clock, sizeof clock, "%H:%M:%S", &at.fields);
    appendf(text, kStaleSinceText, clock);
  } else {
    text = kStaleNothingYetText.text();
  }
  // A box's text may run over lines; the banner is one.
  std::string line;
  for (char c : failure) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += c;
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return text + line;
}
