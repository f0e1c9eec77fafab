#include "tools/finder_run.h"

#include <algorithm>
#include <iterator>

#include "console/console.h"
#include "discovery/discovery.h"
#include "link/link.h"
#include "console/texts.h"

namespace {

std::string EndNote(DiscoveryEnd end) {
  switch (end) {
    case DiscoveryEnd::kCancelled: return Tr("tools", "已取消。\n");
    case DiscoveryEnd::kPortFailed: return Tr("tools", "串口出错，查找中止。\n");
    default: return {};
  }
}

std::string ScanReport(const StationScan& scan, const LinkState& link, int from, int to) {
  std::string text;
  for (const StationFound& found : scan.found)
    text += std::to_string(found.station) + "\t" + DescribeStation(found, WindowStationWords()) + "\n";
  text += EndNote(scan.end);
  text += Tr("tools", "站号 ") + std::to_string(from) + "–" + std::to_string(to) + Tr("tools", "，") +
          SettingText({link.baudRate, link.lineFormat}) + Tr("tools", "：已探测 ") + std::to_string(scan.probed) + Tr("tools", " 个，") +
          std::to_string(scan.found.size()) + Tr("tools", " 个应答。\n");
  text += Tr("tools", "按第 0 号寄存器判别的型号：") + ModelsTriedText() + "\n";
  if (const std::string untried = ModelsUntriedText(); !untried.empty())
    text += Tr("tools", "扫描无法判别的型号：") + untried + "\n";
  return text;
}

std::string DetectionReport(const LineDetection& detection, int station) {
  std::string text;
  for (const LineSetting& setting : detection.answered) text += SettingText(setting) + "\n";
  text += EndNote(detection.end);
  if (detection.answered.empty() && detection.end == DiscoveryEnd::kDone)
    text += Tr("tools", "站号 ") + std::to_string(station) + Tr("tools", " 在 32 种通讯参数下均无应答。\n");
  if (!detection.corrupted.empty()) {
    text += Tr("tools", "有设备应答但数据损坏：");
    for (const LineSetting& setting : detection.corrupted) text += SettingText(setting) + Tr("tools", "；");
    text += "\n";
  }
  if (detection.parityHidden)
    text += Tr("tools", "此串口不传送校验位（伪终端）：仅校验位不同的设置应答相同，无法分辨校验位。\n");
  return text;
}

// One setting, or settings that differ only in a parity the port does not carry.
std::optional<ModuleLine> OneLine(const LineDetection& detection, int station) {
  if (detection.end != DiscoveryEnd::kDone || detection.answered.empty()) return std::nullopt;
  const LineSetting& first = detection.answered.front();
  for (const LineSetting& setting : detection.answered) {
    const bool alike = setting.baudRate == first.baudRate &&
                       LineFormatAt(setting.formatIndex).stopBits == LineFormatAt(first.formatIndex).stopBits;
    if (!alike || (!detection.parityHidden && setting.formatIndex != first.formatIndex)) return std::nullopt;
  }
  const auto rate = std::find(std::begin(kBaudRates), std::end(kBaudRates), first.baudRate);
  if (rate == std::end(kBaudRates)) return std::nullopt;
  return ModuleLine{static_cast<int>(rate - std::begin(kBaudRates)), first.formatIndex, station};
}

bool Refused(DiscoveryEnd end) {
  return end == DiscoveryEnd::kPortNotOpen || end == DiscoveryEnd::kBadStation || end == DiscoveryEnd::kLineFixed ||
         end == DiscoveryEnd::kLineIgnored;
}

// The job's console, except that progress goes to the finder's bar.
class ProgressConsole : public Console {
 public:
  ProgressConsole(Console& base, FinderRun::Progress progress) : base_(base), progress_(std::move(progress)) {}
  void setPaneText(const std::string& text) override { base_.setPaneText(text); }
  void showInfo(const std::string& text) override { base_.showInfo(text); }
  void showNotice(const std::string& text) override { base_.showNotice(text); }
  bool askWarning(const std::string& text) override { return base_.askWarning(text); }
  void portStateChanged(bool open) override { base_.portStateChanged(open); }
  void lineSettingsChanged(int baudIndex, int formatIndex) override {
    base_.lineSettingsChanged(baudIndex, formatIndex);
  }
  std::optional<std::string> askPort() override { return base_.askPort(); }
  void pause(int milliseconds) override { base_.pause(milliseconds); }
  void progress(int done, int total) override {
    if (progress_) progress_(done, total);
  }

 private:
  Console& base_;
  FinderRun::Progress progress_;
};

}  // namespace

FinderRun::FinderRun() : state_(std::make_shared<State>()) {}

FinderRun::Job FinderRun::start(
    std::function<std::string(OperationContext&, int, const std::function<bool()>&)> run, int turnaroundMs,
    Progress progress) {
  state_->cancelled = false;
  state_->report.clear();
  return [state = state_, run = std::move(run), turnaroundMs, progress = std::move(progress)](Operations& ops) {
    const OperationContext& own = ops.context();
    ProgressConsole console(own.console, progress);
    OperationContext ctx = own.withConsole(console);
    state->report = run(ctx, turnaroundMs, [state] { return state->cancelled.load(); });
  };
}

FinderRun::Job FinderRun::scanStations(int from, int to, int turnaroundMs, Progress progress) {
  const int first = std::min(from, to);
  const int last = std::max(from, to);
  state_->scan.reset();
  return start(
      [first, last, state = state_](OperationContext& ctx, int turnaround, const std::function<bool()>& cancelled) {
        const StationScan scan = ScanStations(ctx, first, last, {turnaround, cancelled});
        if (scan.end == DiscoveryEnd::kPortNotOpen) return std::string();
        state->scan = Scan{scan, ctx.link.portName, ctx.link.baudRate, ctx.link.lineFormat};
        return ScanReport(scan, ctx.link, first, last);
      },
      turnaroundMs, std::move(progress));
}

FinderRun::Job FinderRun::detectLine(int station, int turnaroundMs, Progress progress) {
  state_->detected.reset();
  return start(
      [station, state = state_](OperationContext& ctx, int turnaround, const std::function<bool()>& cancelled) {
        const LineDetection detection = DetectLine(ctx, station, {turnaround, cancelled});
        state->detected = OneLine(detection, station);
        return Refused(detection.end) ? std::string() : DetectionReport(detection, station);
      },
      turnaroundMs, std::move(progress));
}
