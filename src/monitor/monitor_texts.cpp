#include "monitor/monitor_texts.h"

#include "console/text.h"
#include "monitor/trend_data.h"

std::string CountersText(const PollCounters& counters, double pollsPerSecond) {
  static const char* const kNames[kPollStatusCount] = {"正常", "超时", "短帧", "校验错", "应答不符",
                                                       "异常", "型号不符", "端口错"};
  std::string text;
  appendf(text, "轮询 %llu 次（", static_cast<unsigned long long>(counters.polls));
  for (size_t s = 0; s < kPollStatusCount; ++s)
    appendf(text, "%s%s %llu", s ? "，" : "", kNames[s], static_cast<unsigned long long>(counters.byStatus[s]));
  appendf(text, "），%.1f 次/秒", pollsPerSecond);
  return text;
}

std::string MonitorStatusText(bool running, const PollCounters& counters, double pollsPerSecond) {
  return (running ? "监视中：" : "监视已停止：") + CountersText(counters, pollsPerSecond);
}

std::string CurvesLabel() {
  std::string text;
  appendf(text, "曲线(最多%d项):", TrendData::kMaxPicked);
  return text;
}
