#include "cli/bus_command.h"

#include <ostream>

#include "bus/atomic_file.h"
#include "bus/bus_poller.h"
#include "bus/scan_to_bus.h"
#include "cli/cli.h"
#include "cli/discovery_commands.h"
#include "cli/stop_signals.h"
#include "console/text.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "report/bus_report.h"

std::optional<BusPollCommand> ParseBusPollCommand(const std::string& operation, const std::vector<std::string>& args,
                                                  std::string* problem) {
  if (operation != "poll-bus") return std::nullopt;
  auto fail = [&](const std::string& text) {
    *problem = text;
    return std::nullopt;
  };
  BusPollCommand command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--new" || option == "--wide") {
      (option == "--new" ? command.newFile : command.wide) = true;
      continue;
    }
    if (i + 1 >= args.size()) return fail(option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--interval") {
      const std::optional<uint64_t> ms = WholeNumber(value, 86400000);
      if (!ms) return fail("--interval takes milliseconds, 0 to 86400000");
      command.interval = std::chrono::milliseconds(*ms);
    } else if (option == "--count") {
      const std::optional<uint64_t> count = WholeNumber(value, UINT64_MAX);
      if (!count || *count == 0) return fail("--count takes a number of cycles from 1");
      command.count = *count;
    } else if (option == "--csv") {
      if (value.empty()) return fail("--csv takes a file name");
      command.csvPath = value;
    } else {
      return fail("unknown poll-bus option " + option);
    }
  }
  if (command.newFile && !command.csvPath) return fail("--new goes with --csv FILE");
  return command;
}

namespace {

std::string ModuleSummary(const BusModuleState& state, double cyclesPerSecond) {
  std::string line = std::to_string(state.module.station);
  if (!state.module.name.empty()) line += " " + state.module.name;
  line += std::string(" (") + state.module.model->cliName + "): ";
  return line + SummaryLine(state.counters, cyclesPerSecond);
}

}  // namespace

int RunBusPollCommand(const BusPollCommand& command, const BusFile& bus, Operations& ops, BusLog* fileLog,
                      const CliTrace& trace, std::ostream& out, std::ostream& err) {
  BusPoller poller(ops.context(), bus, {command.interval});
  std::optional<BusLog> stdoutLog;
  BusLog* log = fileLog ? fileLog : &stdoutLog.emplace(out, bus, command.layout());
  bool logLost = !log->good();
  auto lose = [&](bool written) {
    if ((!written || trace.failed()) && !logLost) {
      logLost = true;
      poller.stop();  // nothing more can be kept
    }
  };
  bool cyclePending = false;
  if (!logLost) {
    RunBusPolls(
        poller, command.count, &StopRequested(),
        [&](size_t module, const PollResult& result) {
          cyclePending = true;
          lose(log->write(module, result));
        },
        [&] {
          cyclePending = false;
          lose(log->endCycle(std::chrono::system_clock::now()));
        });
    // A cycle cut short (a stop, the port) keeps what it polled.
    if (cyclePending && !logLost) lose(log->endCycle(std::chrono::system_clock::now()));
  }
  std::ostream& summary = fileLog ? out : err;
  std::string head;
  appendf(head, "%llu cycle(s) of %zu module(s); %.2f cycles/s", static_cast<unsigned long long>(poller.cycles()),
          bus.modules.size(), poller.cycleRate());
  summary << head << '\n';
  for (const BusModuleState& state : poller.modules()) summary << ModuleSummary(state, poller.cycleRate()) << '\n';
  if (logLost) {
    if (fileLog && !fileLog->good()) err << "dolvane-cli: the log could not be written: " << fileLog->error() << '\n';
    return kExitErrorBox;
  }
  return poller.stopBox().empty() ? kExitDone : kExitErrorBox;
}

std::optional<std::string> TakeScanBusFile(std::vector<std::string>& args) {
  if (args.size() < 2 || args[args.size() - 2] != "--bus") return std::nullopt;
  std::string path = args.back();
  args.resize(args.size() - 2);
  if (path.empty()) throw CliUsageError{"--bus takes a file name"};
  return path;
}

int WriteScannedBus(const std::string& path, const StationScan& scan, Operations& ops, std::ostream& err) {
  const ScannedBus scanned = BusFromScan(scan, ops.link().portName, ops.link().baudRate, ops.link().lineFormat);
  for (int station : scanned.unnamed)
    err << "scan-stations: station " << station << " answered, but no model names it: left out of " << path << '\n';
  std::string problem;
  if (!SaveBusFile(path, scanned.bus, &problem)) {
    err << "dolvane-cli: " << problem << '\n';
    return kExitErrorBox;
  }
  err << "scan-stations: " << scanned.bus.modules.size() << " module(s) written to " << path << '\n';
  return kExitDone;
}

namespace {

HtmlPdfWriter pdfWriter = nullptr;

}  // namespace

void SetHtmlPdfWriter(HtmlPdfWriter writer) { pdfWriter = writer; }

std::optional<BusReportCommand> ParseBusReportCommand(const std::string& operation,
                                                      const std::vector<std::string>& args, std::string* problem) {
  if (operation != "report") return std::nullopt;
  auto fail = [&](const std::string& text) {
    *problem = text;
    return std::nullopt;
  };
  BusReportCommand command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    std::optional<std::string>* path = option == "--pdf"    ? &command.pdfPath
                                       : option == "--csv"  ? &command.csvPath
                                       : option == "--html" ? &command.htmlPath
                                                            : nullptr;
    if (!path) return fail("unknown report option " + option);
    if (i + 1 >= args.size() || args[i + 1].empty()) return fail(option + " takes a file name");
    *path = args[++i];
  }
  if (!command.pdfPath && !command.csvPath && !command.htmlPath) return fail("report needs --pdf, --csv or --html FILE");
  if (command.pdfPath && !pdfWriter) return fail("--pdf is not in this build: use --html and print it, or --csv");
  return command;
}

int RunBusReportCommand(const BusReportCommand& command, const BusFile& bus, Operations& ops, std::ostream& err) {
  BusReport report;
  report.port = ops.link().portName;
  const bool portHeld = ReadBusReport(ops.context(), bus, report);
  bool allAnswered = portHeld;
  for (const ModuleReading& m : report.modules) {
    if (m.reading.status == PollStatus::kOk) continue;
    allAnswered = false;
    err << "report: station " << m.module.station << ": " << StatusText(m.reading) << '\n';
  }
  std::string problem;
  bool written = true;
  auto write = [&](const std::optional<std::string>& path, auto&& writeFile) {
    if (!path) return;
    if (writeFile(*path)) {
      err << "report: written to " << *path << '\n';
    } else {
      err << "dolvane-cli: " << problem << '\n';
      written = false;
    }
  };
  const std::string html = command.pdfPath || command.htmlPath ? BusReportHtml(report) : std::string();
  write(command.csvPath, [&](const std::string& path) { return ReplaceFileAtomically(path, ByteOrderMarked(command.byteOrderMark, BusReportCsv(report)), &problem); });
  write(command.htmlPath, [&](const std::string& path) { return ReplaceFileAtomically(path, html, &problem); });
  write(command.pdfPath, [&](const std::string& path) { return pdfWriter(html, kReportTitle, path, &problem); });
  return written && allAnswered ? kExitDone : kExitErrorBox;
}
