#include "cli/discovery_commands.h"

#include <ostream>

#include "cli/bus_command.h"
#include "cli/cli.h"
#include "cli/stop_signals.h"
#include "cli/terminal_console.h"
#include "console/text.h"
#include "discovery/discovery.h"
#include "link/traffic_tap.h"
#include "modbus/frame_verdict.h"
#include "operations/operations.h"

namespace {

// A whole decimal number within [min, max], else nothing.
std::optional<int> NumberIn(const std::string& text, int min, int max) {
  const std::optional<uint64_t> n = WholeNumber(text, static_cast<uint64_t>(max));
  if (!n || static_cast<int>(*n) < min) return std::nullopt;
  return static_cast<int>(*n);
}

int StationArg(const std::string& text) {
  const std::optional<int> n = NumberIn(text, kFirstStation, kLastStation);
  if (!n) throw CliUsageError{"a station is 1 to 247, not " + text};
  return *n;
}

int ExitOf(DiscoveryEnd end) {
  switch (end) {
    case DiscoveryEnd::kDone: return kExitDone;
    case DiscoveryEnd::kCancelled: return kExitCancelled;
    default: return kExitErrorBox;
  }
}

std::string CurrentSetting(Operations& ops) {
  return SettingText({ops.link().baudRate, ops.link().lineFormat});
}

int ScanStationsCommand(Operations& ops, const std::vector<std::string>& args, const DiscoveryControl& control,
                        std::ostream& out, std::ostream& err, const std::optional<std::string>& busFile) {
  const int from = args.empty() ? kFirstStation : StationArg(args[0]);
  const int to = args.empty() ? kLastStation : StationArg(args[1]);
  const StationScan scan = ScanStations(ops.context(), from, to, control);
  for (const StationFound& found : scan.found)
    out << found.station << '\t' << DescribeStation(found) << '\n';
  if (scan.end == DiscoveryEnd::kPortNotOpen) return ExitOf(scan.end);
  err << "scan-stations: " << scan.probed << " station(s) probed at " << CurrentSetting(ops) << ", "
      << scan.found.size() << " answered\n"
      << "scan-stations: models tried on word 0: " << ModelsTriedText() << '\n';
  if (const std::string untried = ModelsUntriedText(); !untried.empty())
    err << "scan-stations: not told by a scan (no acceptance rule on word 0): " << untried << '\n';
  if (busFile && scan.end != DiscoveryEnd::kPortFailed) {
    if (const int status = WriteScannedBus(*busFile, scan, ops, err); status != kExitDone) return status;
  }
  return ExitOf(scan.end);
}

int DetectLineCommand(Operations& ops, const std::vector<std::string>& args,
                      const DiscoveryControl& control, std::ostream& out, std::ostream& err) {
  const LineDetection detection = DetectLine(ops.context(), StationArg(args[0]), control);
  // A refusal, or 32 alike answers that tell nothing: the box says it all.
  if (detection.end == DiscoveryEnd::kPortNotOpen || detection.end == DiscoveryEnd::kBadStation ||
      detection.end == DiscoveryEnd::kLineFixed || detection.end == DiscoveryEnd::kLineIgnored)
    return ExitOf(detection.end);
  for (const LineSetting& setting : detection.answered) out << SettingText(setting) << '\n';
  if (!detection.corrupted.empty()) {
    err << "detect-line: a device answered with a corrupted reply at:";
    for (const LineSetting& setting : detection.corrupted) err << ' ' << SettingText(setting) << ';';
    err << '\n';
  }
  if (detection.parityHidden)
    err << "detect-line: this port does not carry parity (a pseudo-terminal): settings that differ "
           "only in parity answer alike, so parity cannot be told apart\n";
  if (detection.end != DiscoveryEnd::kDone) return ExitOf(detection.end);
  return detection.answered.empty() ? kExitErrorBox : kExitDone;
}

}  // namespace

bool TakeTraceOrDiscoveryOption(const std::string& arg,
                                const std::function<std::string(const std::string&)>& value,
                                TraceAndDiscoveryOptions& options) {
  if (arg == "--trace") {
    options.trace = true;
  } else if (arg == "--trace-file") {
    options.traceFile = value(arg);
    if (options.traceFile->empty()) throw CliUsageError{"--trace-file takes a file name"};
  } else if (arg == "--turnaround") {
    const std::string text = value(arg);
    const std::optional<int> ms = NumberIn(text, 0, 60000);
    if (!ms) throw CliUsageError{"--turnaround takes milliseconds 0 to 60000, not " + text};
    options.turnaroundMs = *ms;
  } else {
    return false;
  }
  return true;
}

CliTrace::CliTrace(const TraceAndDiscoveryOptions& options, std::unique_ptr<LogFile> file, std::ostream& err)
    : toErr_(options.trace), err_(err), file_(std::move(file)) {
  // A last line cut short (a crash, a full disk) keeps its bytes; ours start on a line of their own.
  if (file_ && file_->regular() && !file_->endsWithLineBreak()) file_->write("\n");
}

const std::string& CliTrace::error() const {
  static const std::string kNone;
  return file_ ? file_->error() : kNone;
}

void CliTrace::attach(TrafficTap& tap) {
  if (!toErr_ && !file_) return;
  tap.addListener([this](const TrafficRecord& record) {
    const std::string line = TraceLine(record);
    if (toErr_) err_ << line << '\n' << std::flush;
    if (file_) file_->write(line + '\n');
  });
}

bool IsDiscoveryCommand(const std::string& operation) {
  return operation == "scan-stations" || operation == "detect-line";
}

void CheckDiscoveryArgs(const std::string& operation, const std::vector<std::string>& args) {
  if (operation == "scan-stations") {
    if (!args.empty() && args.size() != 2) throw CliUsageError{"scan-stations takes no argument or FROM TO"};
    if (!args.empty() && StationArg(args[0]) > StationArg(args[1]))
      throw CliUsageError{"scan-stations: FROM is above TO"};
  } else if (args.size() != 1) {
    throw CliUsageError{"detect-line takes STATION"};
  } else {
    StationArg(args[0]);
  }
}

int RunDiscoveryCommand(Operations& ops, TerminalConsole& console, const std::string& operation,
                        const std::vector<std::string>& args, const TraceAndDiscoveryOptions& options,
                        std::ostream& out, std::ostream& err, const std::optional<std::string>& busFile) {
  console.showProgress = true;
  DiscoveryControl control;
  control.turnaroundMs = options.turnaroundMs;
  // SIGINT or SIGTERM ends the run after the probe under way, with what it found.
  control.cancelRequested = [] { return StopRequested().load(); };
  const int status = operation == "scan-stations" ? ScanStationsCommand(ops, args, control, out, err, busFile)
                                                  : DetectLineCommand(ops, args, control, out, err);
  console.endProgress();
  return StopSignal() ? InterruptedExit(err) : status;
}
