#include "discovery/discovery.h"

#include <algorithm>
#include <optional>

#include "console/console.h"
#include "console/text.h"
#include "models/model_registry.h"
#include "console/texts.h"

namespace {

constexpr TrText kDetectNotOverTcp = TrNoop("discovery", "通过网络串口服务器（TCP）连接时无法检测串口参数：串口参数在服务器上设置。");
constexpr TrText kLineNotCarried = TrNoop("discovery", "此串口不传送通讯参数：站号 %d 在 32 种通讯参数下的应答完全相同，无法用此方法检测模块的通讯参数。\r\n"
    "虚拟串口、伪终端和串口服务器的通讯参数由另一端决定，模块能应答说明它与另一端的设置一致；"
    "要检测模块自身的设置，请用直接连接 RS-485 总线的串口。");

// Lends the console's port to a discovery run and gives it back with the
// console's own line settings and time-outs, however the run ends.
class BorrowedPort {
 public:
  explicit BorrowedPort(OperationContext& ctx) : link_(ctx.link), port_(*ctx.link.portHandle) {}
  ~BorrowedPort() {
    ApplyLinkSettings(link_, port_);
    port_.purge();
  }
  BorrowedPort(const BorrowedPort&) = delete;
  BorrowedPort& operator=(const BorrowedPort&) = delete;

  SerialPort& port() { return port_; }

 private:
  LinkState& link_;
  SerialPort& port_;
};

bool SameAnswer(const ProbeResult& a, const ProbeResult& b) {
  return a.answer == b.answer && a.word0 == b.word0 && a.exceptionCode == b.exceptionCode;
}

bool Cancelled(const DiscoveryControl& control) {
  return control.cancelRequested && control.cancelRequested();
}

// A port failure ends the run with the box an operation would show.
bool PortFailed(OperationContext& ctx, const ProbeResult& probe) {
  if (probe.answer == ProbeAnswer::kWriteFailed) ctx.console.showInfo(msg::kWriteFailed);
  else if (probe.answer == ProbeAnswer::kReadFailed) ctx.console.showInfo(msg::kReadFailed);
  else return false;
  return true;
}

std::string ModelNames(const std::vector<const ModelEntry*>& models) {
  std::string names;
  for (const ModelEntry* model : models) names += std::string(names.empty() ? "" : " ") + model->cliName;
  return names;
}

}  // namespace

StationScan ScanStations(OperationContext& ctx, int from, int to, const DiscoveryControl& control) {
  StationScan scan;
  if (!RequirePortOpen(ctx)) {
    scan.end = DiscoveryEnd::kPortNotOpen;
    return scan;
  }
  from = std::max(from, kFirstStation);
  to = std::min(to, kLastStation);
  const int total = std::max(0, to - from + 1);
  BorrowedPort borrowed(ctx);
  const int baud = ctx.link.baudRate > 0 ? ctx.link.baudRate : 9600;
  borrowed.port().setTimeouts(ProbeTimeouts(baud, LineFormatAt(ctx.link.lineFormat), control.turnaroundMs));
  ctx.console.progress(0, total);
  for (int station = from; station <= to; ++station) {
    if (Cancelled(control)) {
      scan.end = DiscoveryEnd::kCancelled;
      return scan;
    }
    const ProbeResult probe = Probe(borrowed.port(), station, FramingOf(ctx.link), ctx.tx);
    if (PortFailed(ctx, probe)) {
      scan.end = DiscoveryEnd::kPortFailed;
      return scan;
    }
    ++scan.probed;
    if (probe.answer != ProbeAnswer::kSilent) {
      StationFound found{station, probe, {}};
      if (probe.answer == ProbeAnswer::kWord) found.guess = GuessModel(probe.word0);
      scan.found.push_back(std::move(found));
    }
    ctx.console.progress(scan.probed, total);
  }
  return scan;
}

LineDetection DetectLine(OperationContext& ctx, int station, const DiscoveryControl& control) {
  LineDetection detection;
  if (!RequirePortOpen(ctx)) {
    detection.end = DiscoveryEnd::kPortNotOpen;
    return detection;
  }
  if (station < kFirstStation || station > kLastStation) {
    ctx.console.showInfo(msg::kBadStation);
    detection.end = DiscoveryEnd::kBadStation;
    return detection;
  }
  if (!ConsoleSetsTheLine(ctx.link)) {
    ctx.console.showInfo(kDetectNotOverTcp);
    detection.end = DiscoveryEnd::kLineFixed;
    return detection;
  }
  BorrowedPort borrowed(ctx);
  SerialPort& port = borrowed.port();
  detection.parityHidden = !port.carriesParity();
  constexpr int kTotal = 8 * 4;
  // On a real line a module answers at its own settings only, so one reply at
  // all 32 means the settings never reach the line. Only replies count: an
  // adapter's echo of the request is alike everywhere too.
  std::optional<ProbeResult> firstReply;
  bool repliesAlike = true;
  ctx.console.progress(0, kTotal);
  for (int baud : kBaudRates) {
    for (int f = 0; f < 4; ++f) {
      if (Cancelled(control)) {
        detection.end = DiscoveryEnd::kCancelled;
        return detection;
      }
      const LineFormat& format = kLineFormats[f];
      // A port that refuses parity still takes the rest; the result says so.
      port.setLine(baud, format.parity, format.stopBits);
      port.setTimeouts(ProbeTimeouts(baud, format, control.turnaroundMs));
      const ProbeResult probe = Probe(port, station, Framing::kRtu, ctx.tx);
      if (PortFailed(ctx, probe)) {
        detection.end = DiscoveryEnd::kPortFailed;
        return detection;
      }
      ++detection.probed;
      if (probe.answer == ProbeAnswer::kWord || probe.answer == ProbeAnswer::kException) {
        detection.answered.push_back({baud, f});
        if (!firstReply) firstReply = probe;
        repliesAlike = repliesAlike && SameAnswer(*firstReply, probe);
      } else if (probe.answer == ProbeAnswer::kCorrupted) {
        detection.corrupted.push_back({baud, f});
      }
      ctx.console.progress(detection.probed, kTotal);
    }
  }
  if (detection.answered.size() == kTotal && repliesAlike) {
    std::string text;
    appendf(text, kLineNotCarried, station);
    ctx.console.showInfo(text);
    detection.end = DiscoveryEnd::kLineIgnored;
  }
  return detection;
}

const StationWords kCliStationWords{"word 0 = %u; ",
                                    "model %s",
                                    "no model tried accepts it",
                                    "model cannot be told apart: %s accept it alike",
                                    "present, exception %02X %s",
                                    "corrupted reply (a device answered: wrong settings or a collision)"};

StationWords WindowStationWords() {
  return {Tr("discovery", "第 0 号寄存器 = %u；"),
          Tr("discovery", "型号 %s"),
          Tr("discovery", "没有已知型号与之相符"),
          Tr("discovery", "无法判别型号：%s 都符合"),
          Tr("discovery", "有应答，异常 %02X %s"),
          Tr("discovery", "应答数据损坏（有设备应答：通讯参数不对或数据冲突）")};
}

std::string DescribeStation(const StationFound& found, const StationWords& words) {
  std::string text;
  switch (found.probe.answer) {
    case ProbeAnswer::kWord: {
      appendf(text, words.word0, found.probe.word0);
      const ModelGuess& guess = found.guess;
      if (guess.model) appendf(text, words.model, guess.model->cliName);
      else if (guess.accepting.empty()) text += words.noModel;
      else appendf(text, words.ambiguous, ModelNames(guess.accepting).c_str());
      return text;
    }
    case ProbeAnswer::kException:
      appendf(text, words.exception, found.probe.exceptionCode, ExceptionName(found.probe.exceptionCode));
      return text;
    case ProbeAnswer::kCorrupted: return words.corrupted;
    default: return "";
  }
}

std::string SettingText(const LineSetting& setting) {
  return std::to_string(setting.baudRate) + " " + LineFormatAt(setting.formatIndex).text;
}

std::string ModelsTriedText() { return ModelNames(ModelsTried()); }

std::string ModelsUntriedText() {
  const std::vector<const ModelEntry*> tried = ModelsTried();
  std::vector<const ModelEntry*> untried;
  for (const ModelEntry& model : Models())
    if (std::find(tried.begin(), tried.end(), &model) == tried.end()) untried.push_back(&model);
  return ModelNames(untried);
}
