#pragma once
// What a window says while it monitors, in both windows' words: the boxes, the
// status strip, the trend window's controls and the log file dialog.
#include <chrono>
#include <optional>
#include <string>

#include "monitor/poller.h"
#include "console/texts.h"

inline constexpr TrText kNothingReadYet = TrNoop("monitor", "请先读取一次模块数据，再开始监视。");
inline constexpr TrText kLogWriteFailed = TrNoop("monitor", "CSV文件写入失败，已停止记录。");
inline constexpr TrText kLogOpenFailed = TrNoop("monitor", "无法打开CSV文件：");  // the system's reason follows

inline constexpr TrText kMonitorSwitchText = TrNoop("monitor", "监视");
inline constexpr TrText kTrendTitle = TrNoop("monitor", "监视趋势");
inline constexpr TrText kTrendSpanLabel = TrNoop("monitor", "时间轴:");
inline constexpr TrText kTrendIntervalLabel = TrNoop("monitor", "间隔:");
inline constexpr TrText kLogSwitchText = TrNoop("monitor", "记录到CSV文件");
inline constexpr TrText kStopMonitorText = TrNoop("monitor", "停止监视");
inline constexpr TrText kLogDialogTitle = TrNoop("monitor", "记录到CSV文件");
inline constexpr TrText kLogDialogFilterName = TrNoop("monitor", "CSV 文件");
inline constexpr const char* kLogDialogPattern = "*.csv";
inline constexpr const char* kLogDialogSuffix = "csv";

// The pane's report while polls fail: this line on top, until an ok poll.
inline constexpr TrText kStaleSinceText = TrNoop("monitor", "数据已过期：最后一次成功读取于 %s；");  // HH:MM:SS
inline constexpr TrText kStaleNothingYetText = TrNoop("monitor", "数据已过期：本次监视尚无成功读取；");
// The banner: when the last ok poll came (none: not yet in this run), then the
// failed poll's own text on one line.
std::string StaleBannerText(const std::optional<std::chrono::system_clock::time_point>& lastGood,
                            const std::string& failure);

// "轮询 12 次（正常 10，超时 1，…），9.8 次/秒"
std::string CountersText(const PollCounters& counters, double pollsPerSecond);
// The status strip: "监视中：" or "监视已停止：" before the counters.
std::string MonitorStatusText(bool running, const PollCounters& counters, double pollsPerSecond);
// "曲线(最多8项):"
std::string CurvesLabel();
