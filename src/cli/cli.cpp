#include "cli/cli.h"

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include "bus/bus_file.h"
#include "bus/atomic_file.h"
#include "cli/bus_command.h"
#include "cli/commission_command.h"
#include "cli/poll_command.h"
#include "cli/discovery_commands.h"
#include "cli/journal_command.h"
#include "cli/output_stream.h"
#include "cli/platform.h"
#include "cli/stop_signals.h"
#include "cli/terminal_console.h"
#include "dolvane_version.h"
#include "console/control_ids.h"
#include "console/texts.h"
#include "journal/durable_append.h"
#include "journal/journal_file.h"
#include "layout/form_model.h"
#include "session/session.h"
#include "operations/operations.h"
#include "link/port_by_name.h"
#include "link/ports.h"
#include "link/traffic_tap.h"
#include "models/demo_bus.h"
#include "models/model_registry.h"
#include "monitor/csv_log.h"
#include "monitor/log_file.h"

namespace {

constexpr const char* kUsageFirstLine =
    "usage: dolvane-cli [-p PORT] [-b BAUD] [-f FORMAT] [-s STATION] [-y] [--simulate] [--bus FILE] [--trace] [--trace-file FILE]\n"
    "                   [--journal FILE] [--read-before-write] [--bom] [--lang en|zh] OPERATION [ARGS...]\n"
    "  (these options may also come after OPERATION, among its ARGS; an operation's own options follow it)\n";
constexpr const char* kUsageHead =
    "  -b, --baud BAUD     1200 2400 4800 9600 19200 38400 57600 115200 (default 9600)\n"
    "  -f, --format FMT    N,8,1  E,8,1  O,8,1  N,8,2 (default N,8,1)\n"
    "  -s, --station TEXT  the text of the station field, parsed as the window parses it (default \"1\");\n"
    "                      an empty one is refused; 0 broadcasts a write, which no module answers\n"
    "  -y, --yes           answer OK to every 警告 box; without it, ask on a terminal, else Cancel\n"
    "  --bom               CSV files written (--csv) start with a UTF-8 byte-order mark, which Excel\n"
    "                      needs to read them as UTF-8; a log continued keeps its start; stdout never\n"
    "  --simulate          use an in-process simulated bus: one module of each model at stations 1-%LAST%\n"
    "                      in the order of the MODEL list; without -s, `read MODEL` addresses that model\n"
    "  --lang en|zh        the language of reports, boxes and prompts (default: the system's, zh_* Chinese,\n"
    "                      another language English; no locale, C or POSIX Chinese)\n"
    "%BUS%"
    "%TRACE%"
    "%JOURNAL%"
    "OPERATION: read MODEL | read-registers START COUNT | write-register ADDRESS VALUE |\n"
    "           write-registers START COUNT [V0 ... V19] | allow-write | forbid-write |\n"
    "           change-comm NEW-BAUD NEW-FORMAT NEW-STATION | reset-scan |\n"
    "           poll MODEL [--interval MS] [--count N] [--csv FILE [--new]] |\n"
    "           poll-registers START COUNT [--interval MS] [--count N] [--csv FILE [--new]] |\n"
    "%BUSOPS%"
    "%JOURNALOPS%"
    "%DISCOVERY%"
    "  poll: a CSV row per poll (default every 1000 ms; 0 back to back) to stdout, or to FILE\n"
    "        with a summary on stdout; without --count until SIGINT or SIGTERM (then exit 0)\n"
    "        --csv FILE is never truncated: a log of the same columns is continued, a missing or\n"
    "        empty file started, any other file refused; --new: only a file that does not exist yet\n"
    "%BUSHELP%"
    "%JOURNALHELP%"
    "MODEL:";
constexpr const char* kUsageTail =
    "\nA reply counts only when it answers its request (station, function, byte count, echo).\n"
    "Exit status: 0 done (a broadcast too), 1 ended on an error box, 2 usage, 3 a 警告 box answered Cancel,\n"
    "  130 or 143 ended by SIGINT or SIGTERM (a poll ends with 0). A port, log, trace or output\n"
    "  that cannot be opened or written is 1; a bus file or a log file refused (see --csv), or --csv and\n"
    "  --trace-file naming one file, or the one stdout or stderr goes to, is 2.\n";

std::string Usage() {
  std::string text = std::string(kUsageFirstLine) + "  -p, --port PORT     " + PortOptionHelp() + "\n";
  text += kUsageHead;
  text.replace(text.find("%BUS%"), 5, kBusUsage);
  text.replace(text.find("%BUSOPS%"), 8, std::string(kBusOperationsUsage) + kCommissionOperationsUsage);
  text.replace(text.find("%BUSHELP%"), 9, std::string(kBusHelp) + kCommissionHelp);
  text.replace(text.find("%TRACE%"), 7, kTraceAndDiscoveryUsage);
  text.replace(text.find("%JOURNAL%"), 9, kJournalUsage);
  text.replace(text.find("%JOURNALOPS%"), 12, kJournalOperationsUsage);
  text.replace(text.find("%JOURNALHELP%"), 13, kJournalHelp);
  text.replace(text.find("%DISCOVERY%"), 11, kDiscoveryOperationsUsage);
  text.replace(text.find("%LAST%"), 6, std::to_string(Models().size()));
  for (const ModelEntry& model : Models()) text += std::string(" ") + model.cliName;
  return text + kUsageTail;
}

struct Options {
  std::optional<std::string> port;
  std::string baud = "9600";
  std::string format = "N,8,1";
  std::optional<std::string> station;
  bool yes = false;
  bool simulate = false;
  bool baudGiven = false;
  bool formatGiven = false;
  std::optional<std::string> busFile;
  std::optional<std::string> journal;
  bool readBeforeWrite = false;
  bool byteOrderMark = false;  // CSV files written start with a UTF-8 byte-order mark
  std::optional<Language> language;
  TraceAndDiscoveryOptions traceAndDiscovery;
  std::string operation;
  std::vector<std::string> args;
};

using UsageError = CliUsageError;

int BaudIndexOf(const std::string& text) {
  for (int i = 0; i < 8; ++i)
    if (text == std::to_string(kBaudRates[i])) return i;
  return -1;
}

int FormatIndexOf(const std::string& text) {
  for (int i = 0; i < 4; ++i)
    if (text == kLineFormats[i].text) return i;
  return -1;
}

// Takes args[i] when it is an option of the command line as a whole (moving i
// past its value); false when it is not one.
bool TakeGlobalOption(const std::vector<std::string>& args, size_t& i, Options& o) {
  auto value = [&](const std::string& name) -> std::string {
    if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
    return args[++i];
  };
  const std::string& a = args[i];
  if (a == "-p" || a == "--port") o.port = value(a);
  else if (a == "-b" || a == "--baud") o.baud = value(a), o.baudGiven = true;
  else if (a == "-f" || a == "--format") o.format = value(a), o.formatGiven = true;
  else if (a == "--bus") o.busFile = value(a);
  else if (a == "-s" || a == "--station") o.station = value(a);
  else if (a == "-y" || a == "--yes") o.yes = true;
  else if (a == "--simulate") o.simulate = true;
  else if (a == "--journal") o.journal = value(a);
  else if (a == "--read-before-write") o.readBeforeWrite = true;
  else if (a == "--bom") o.byteOrderMark = true;
  else if (a == "--lang") {
    const std::string name = value(a);
    o.language = LanguageNamed(name);
    if (!o.language) throw UsageError{"--lang takes en or zh, not " + name};
  }
  else return TakeTraceOrDiscoveryOption(a, value, o.traceAndDiscovery);
  return true;
}

// The options an operation parses itself among its arguments (poll_command,
// bus_command): they and their values stay with it wherever they come.
struct OperationOption {
  std::string_view name;
  bool takesValue;
};
std::vector<OperationOption> OperationOptionsOf(const std::string& operation) {
  if (operation == "poll" || operation == "poll-registers")
    return {{"--interval", true}, {"--count", true}, {"--csv", true}, {"--new", false}};
  if (operation == "poll-bus")
    return {{"--interval", true}, {"--count", true}, {"--csv", true}, {"--new", false}, {"--wide", false}};
  if (operation == "report") return {{"--pdf", true}, {"--csv", true}, {"--html", true}};
  if (operation == "scan-stations") return {{"--bus", true}};  // the file it writes
  if (operation == "commission")
    return {{"--first-station", true}, {"--model", true}, {"--count", true}, {"--wait", true}};
  // Its own --station, not the global one.
  if (operation == "journal") return {{"--station", true}, {"--since", true}, {"--csv", true}};
  return {};
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  size_t i = 0;
  for (; i < args.size(); ++i) {
    if (TakeGlobalOption(args, i, o)) continue;
    if (args[i].size() > 1 && args[i][0] == '-') throw UsageError{"unknown option " + args[i]};
    break;
  }
  if (i >= args.size()) throw UsageError{"no operation given"};
  o.operation = args[i];
  // After the operation the options may still come anywhere; any other text is
  // an argument, even one that starts with '-' (a field's text, e.g. -1).
  const std::vector<OperationOption> own = OperationOptionsOf(o.operation);
  for (++i; i < args.size(); ++i) {
    const auto mine = std::find_if(own.begin(), own.end(), [&](const OperationOption& option) {
      return option.name == args[i];
    });
    if (mine != own.end()) {
      o.args.push_back(args[i]);
      if (mine->takesValue && i + 1 < args.size()) o.args.push_back(args[++i]);
    } else if (!TakeGlobalOption(args, i, o)) {
      o.args.push_back(args[i]);
    }
  }
  if (BaudIndexOf(o.baud) < 0) throw UsageError{"unknown baud rate " + o.baud};
  if (FormatIndexOf(o.format) < 0) throw UsageError{"unknown format " + o.format};
  if (o.port && o.simulate) throw UsageError{"-p and --simulate exclude each other"};
  if (o.busFile && o.busFile->empty()) throw UsageError{"--bus takes a file name"};
  if (o.journal && o.journal->empty()) throw UsageError{"--journal takes a file name"};
  if ((o.operation == "poll-bus" || o.operation == "report" || o.operation == "commission") && !o.busFile)
    throw UsageError{o.operation + " needs --bus FILE"};
  return o;
}

void ExpectArgs(const Options& o, size_t count) {
  if (o.args.size() != count)
    throw UsageError{o.operation + " takes " + std::to_string(count) + " argument(s)"};
}

// Puts the operation's arguments into its fields; returns the control to press.
int PrepareOperation(const Options& o, FormValues& form) {
  const std::string& op = o.operation;
  if (op == "read") {
    ExpectArgs(o, 1);
    const ModelEntry* model = FindModel(o.args[0]);
    if (!model) throw UsageError{"unknown model " + o.args[0]};
    return model->buttonId;
  }
  if (op == "read-registers") {
    ExpectArgs(o, 2);
    form.fields[ids::kReadStart] = o.args[0];
    form.fields[ids::kReadCount] = o.args[1];
    return ids::kReadRegisters;
  }
  if (op == "write-register") {
    ExpectArgs(o, 2);
    form.fields[ids::kWriteAddress] = o.args[0];
    form.fields[ids::kWriteValue] = o.args[1];
    return ids::kWriteRegister;
  }
  if (op == "write-registers") {
    if (o.args.size() < 2 || o.args.size() > 22)
      throw UsageError{"write-registers takes START COUNT and at most twenty values"};
    form.fields[ids::kWriteStart] = o.args[0];
    form.fields[ids::kWriteCount] = o.args[1];
    // Value edits not given stay empty, and are refused by name as an empty edit is.
    for (size_t k = 2; k < o.args.size(); ++k) form.fields[ids::kWriteValues[k - 2]] = o.args[k];
    return ids::kWriteRegisters;
  }
  if (op == "allow-write" || op == "forbid-write") {
    ExpectArgs(o, 0);
    return op == "allow-write" ? ids::kAllowWrite : ids::kForbidWrite;
  }
  if (op == "change-comm") {
    ExpectArgs(o, 3);
    const int baud = BaudIndexOf(o.args[0]);
    const int format = FormatIndexOf(o.args[1]);
    if (baud < 0) throw UsageError{"unknown baud rate " + o.args[0]};
    if (format < 0) throw UsageError{"unknown format " + o.args[1]};
    form.combos[ids::kNewBaud] = baud;
    form.combos[ids::kNewFormat] = format;
    form.fields[ids::kNewStation] = o.args[2];
    return ids::kChangeCommParams;
  }
  if (op == "reset-scan") {
    ExpectArgs(o, 0);
    return ids::kCommReset;
  }
  throw UsageError{"unknown operation " + op};
}

std::optional<PollCommand> ParsePoll(const Options& o) {
  std::string problem;
  std::optional<PollCommand> command = ParsePollCommand(o.operation, o.args, &problem);
  if (!problem.empty()) throw UsageError{problem};
  return command;
}

std::optional<JournalCommand> ParseJournal(const Options& o) {
  std::string problem;
  std::optional<JournalCommand> command = ParseJournalCommand(o.operation, o.args, &problem);
  if (!problem.empty()) throw UsageError{problem};
  if (command) command->byteOrderMark = o.byteOrderMark;
  return command;
}

std::optional<BusPollCommand> ParseBusPoll(const Options& o) {
  std::string problem;
  std::optional<BusPollCommand> command = ParseBusPollCommand(o.operation, o.args, &problem);
  if (!problem.empty()) throw UsageError{problem};
  return command;
}

std::optional<CommissionCommand> ParseCommission(const Options& o) {
  std::string problem;
  std::optional<CommissionCommand> command = ParseCommissionCommand(o.operation, o.args, &problem);
  if (!problem.empty()) throw UsageError{problem};
  return command;
}

std::optional<BusReportCommand> ParseBusReport(const Options& o) {
  std::string problem;
  std::optional<BusReportCommand> command = ParseBusReportCommand(o.operation, o.args, &problem);
  if (!problem.empty()) throw UsageError{problem};
  if (command) command->byteOrderMark = o.byteOrderMark;
  return command;
}

// The bus file's port and line, where the command line gives none of its own.
void TakeLineFromBus(const BusFile& bus, Options& o) {
  if (!o.port && !o.simulate && !bus.port.empty()) o.port = bus.port;
  if (!o.baudGiven) o.baud = std::to_string(bus.baudRate);
  if (!o.formatGiven) o.format = LineFormatAt(bus.lineFormat).text;
}

std::string DefaultStation(const Options& o) {
  if (o.station) return *o.station;
  if (o.simulate && (o.operation == "read" || o.operation == "poll") && !o.args.empty()) {
    if (const int station = DemoStationOf(o.args[0])) return std::to_string(station);
  }
  return "1";
}

// Opens --csv and --trace-file. 0, or the exit status after saying why: a file
// refused by its rules (a log of other columns, --new where a file exists, one
// file named twice) is 2, a file the system will not open or write is 1.
// `startLog` starts the poll's or the bus's log on the --csv file.
using StartLog = std::function<bool(std::unique_ptr<LogFile>, std::string* problem, bool* refused)>;
int OpenFiles(const Options& o, const std::optional<std::string>& csvPath, bool newFile, const StartLog& startLog,
              bool& csvCreated, std::unique_ptr<LogFile>& traceFile, std::ostream& err) {
  std::string problem;
  bool refused = false;
  std::unique_ptr<LogFile> csvFile;
  if (csvPath) {
    csvFile = LogFile::Open(*csvPath, newFile ? LogFile::Create::kOnlyNew : LogFile::Create::kIfMissing,
                            &problem, &refused);
    if (!csvFile) {
      if (refused) {
        err << "dolvane-cli: the log is not started: " << problem << " (--new starts only a new file)\n";
        return kExitUsage;
      }
      err << "dolvane-cli: cannot write the log: " << problem << '\n';
      return kExitErrorBox;
    }
  }
  auto dropCreated = [&] {
    if (csvFile) csvFile->removeIfCreated();
    if (traceFile) traceFile->removeIfCreated();
  };
  if (o.traceAndDiscovery.traceFile) {
    traceFile = LogFile::Open(*o.traceAndDiscovery.traceFile, LogFile::Create::kIfMissing, &problem);
    if (!traceFile) {
      dropCreated();
      err << "dolvane-cli: cannot write the trace: " << problem << '\n';
      return kExitErrorBox;
    }
  }
  // Two names for one file (a link, another path) would write each into the other.
  if (csvFile && traceFile && csvFile->sameFileAs(*traceFile) && !csvFile->characterDevice()) {
    dropCreated();
    err << "dolvane-cli: --csv and --trace-file name the same file: " << *csvPath << '\n';
    return kExitUsage;
  }
  // So would a file that standard output or error already goes to (`--csv log.csv >log.csv`).
  for (const auto& [file, option] : {std::pair{csvFile.get(), "--csv"}, {traceFile.get(), "--trace-file"}}) {
    if (!file || file->characterDevice()) continue;
    for (const auto& [fd, stream] : {std::pair{1, "standard output"}, {2, "standard error"}}) {
      if (!file->sameFileAs(*LogFile::ForDescriptor(fd, stream))) continue;
      dropCreated();
      err << "dolvane-cli: " << option << " names the file " << stream << " goes to: " << file->path() << '\n';
      return kExitUsage;
    }
  }
  if (csvFile) {
    const bool created = csvCreated = csvFile->created();
    const std::string path = csvFile->path();
    if (!startLog(std::move(csvFile), &problem, &refused)) {
      if (traceFile) traceFile->removeIfCreated();
      if (refused) {
        err << "dolvane-cli: the log is not continued: " << problem << "; name another file\n";
        return kExitUsage;
      }
      if (created) std::remove(path.c_str());
      err << "dolvane-cli: cannot write the log: " << problem << '\n';
      return kExitErrorBox;
    }
  }
  return kExitDone;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::istream& in, bool inIsTerminal) {
  Options o;
  TerminalConsole console(out, err, in, inIsTerminal);
  FormValues form = InitialForm();
  int control = 0;
  std::optional<PollCommand> poll;
  std::optional<BusPollCommand> busPoll;
  std::optional<BusReportCommand> busReport;
  std::optional<CommissionCommand> commission;
  std::optional<JournalCommand> journal;
  std::optional<std::string> scanBusFile;
  BusFile busFile;
  try {
    if (!args.empty() && (args[0] == "-h" || args[0] == "--help")) {
      out << Usage();
      return kExitDone;
    }
    if (!args.empty() && args[0] == "--version") {
      out << "dolvane-cli " << kDolvaneVersion << '\n';
      return kExitDone;
    }
    o = ParseOptions(args);
    if (o.language) SetLanguage(*o.language);
    if (o.operation == "scan-stations") scanBusFile = TakeScanBusFile(o.args);
    if (IsDiscoveryCommand(o.operation)) CheckDiscoveryArgs(o.operation, o.args);
    else if (!(journal = ParseJournal(o)) && !(busPoll = ParseBusPoll(o)) && !(busReport = ParseBusReport(o)) &&
             !(commission = ParseCommission(o)) && !(poll = ParsePoll(o)))
      control = PrepareOperation(o, form);
  } catch (const UsageError& e) {
    err << "dolvane-cli: " << e.what << '\n' << Usage();
    return kExitUsage;
  }
  const std::string journalPath = o.journal.value_or(DefaultJournalPath());
  if (journal) return RunJournalCommand(*journal, journalPath, out, err);  // no port, no bus
  if (o.busFile) {
    // A bad file is refused before anything else happens.
    std::string problem;
    std::optional<BusFile> loaded = LoadBusFile(*o.busFile, &problem);
    if (!loaded && commission && !std::filesystem::exists(PathOfUtf8(*o.busFile))) {
      loaded = BusFile{};  // a new cabinet: the command line's port and line
      loaded->port = o.port.value_or("");
      loaded->baudRate = std::stoi(o.baud);
      loaded->lineFormat = FormatIndexOf(o.format);
    }
    if (!loaded) {
      err << "dolvane-cli: the bus file is refused: " << problem << '\n';
      return kExitUsage;
    }
    if ((busPoll || busReport) && loaded->modules.empty()) {
      err << "dolvane-cli: the bus file has no modules to poll: " << *o.busFile << '\n';
      return kExitUsage;
    }
    busFile = std::move(*loaded);
    TakeLineFromBus(busFile, o);
  }
  console.assumeYes = o.yes;
  form.fields[ids::kStation] = DefaultStation(o);
  form.combos[ids::kBaudRate] = BaudIndexOf(o.baud);
  form.combos[ids::kLineFormat] = FormatIndexOf(o.format);
  if (poll) poll->station = StationOf(form);

  // The files first, before the port: a file refused ends the run before
  // anything reaches the bus, and nothing is written to one until both are known.
  std::unique_ptr<CsvLog> csvLog;
  std::unique_ptr<BusLog> busLog;
  bool csvCreated = false;
  std::unique_ptr<LogFile> traceFile;
  const std::optional<std::string> csvPath = poll ? poll->csvPath : busPoll ? busPoll->csvPath : std::nullopt;
  const StartLog startLog = [&](std::unique_ptr<LogFile> file, std::string* problem, bool* refused) {
    if (busPoll)
      return (busLog = BusLog::Continue(std::move(file), busFile, busPoll->layout(), problem, refused,
                                        o.byteOrderMark)) != nullptr;
    return (csvLog = CsvLog::Continue(std::move(file), ColumnsOf(poll->target), problem, refused, o.byteOrderMark)) !=
           nullptr;
  };
  if (const int status = OpenFiles(o, csvPath, poll ? poll->newFile : busPoll && busPoll->newFile, startLog,
                                   csvCreated, traceFile, err);
      status != kExitDone)
    return status;
  CliTrace trace(o.traceAndDiscovery, std::move(traceFile), err);
  // A run that ends before its port is open leaves no file it created behind.
  auto dropNewFiles = [&](int status) {
    if ((csvLog || busLog) && csvCreated) {
      csvLog.reset();
      busLog.reset();
      std::remove(csvPath->c_str());
    }
    trace.removeIfCreated();
    return status;
  };
  // A poll or a discovery run ends cleanly at its next step; anything else at once.
  if (!poll && !busPoll && !busReport && !commission && !IsDiscoveryCommand(o.operation) && EndAtOnceOnSignal())
    return dropNewFiles(InterruptedExit(err));

  std::unique_ptr<SimulatedBus> bus;
  if (o.simulate) {
    try {
      bus = StartSimulatedBus();
    } catch (const std::exception& e) {  // e.g. no pseudo-terminal left
      err << "dolvane-cli: no simulated bus: " << e.what() << '\n';
      return dropNewFiles(kExitErrorBox);
    }
    o.port = bus->portName();
  }

  auto tap = std::make_unique<TrafficTap>(bus ? bus->newPort() : NewPortByName());
  trace.attach(*tap);
  Operations ops(console, std::move(tap));
  ops.InitLinkDefaults();
  ops.journalWrites(std::make_unique<JournalFile>(journalPath), o.readBeforeWrite);
  RunNow(ops, JobFor(ids::kBaudRate, form));
  RunNow(ops, JobFor(ids::kLineFormat, form));
  if (o.port) {
    if (!ParsePortEntry(*o.port)) {
      err << Tr("cli", "提示: ") << kBadPortNumber << '\n';
      return dropNewFiles(kExitUsage);
    }
    console.port = *o.port;
    ops.OnBnClickedOpenPort();
    if (ops.link().isOpen != 1) return dropNewFiles(kExitErrorBox);
    console.resetPane();  // the open message is the window's, not the operation's
  }
  int status = kExitDone;
  if (IsDiscoveryCommand(o.operation)) {
    status = RunDiscoveryCommand(ops, console, o.operation, o.args, o.traceAndDiscovery, out, err, scanBusFile);
  } else if (busPoll) {
    status = RunBusPollCommand(*busPoll, busFile, ops, busLog.get(), trace, out, err);
  } else if (busReport) {
    status = RunBusReportCommand(*busReport, busFile, ops, err);
  } else if (commission) {
    status = RunCommissionCommand(*commission, busFile, *o.busFile, ops, inIsTerminal && !o.yes, in, out, err);
  } else if (poll) {
    status = RunPollCommand(*poll, ops, csvLog.get(), trace, out, err);
  } else {
    // The scan runs for seconds: show its progress lines as they come.
    console.streamPane = control == ids::kCommReset;
    RunNow(ops, JobFor(control, form));
    console.flushPane();
    out.flush();
    status = console.sawCancel() ? kExitCancelled : console.sawErrorBox() ? kExitErrorBox : kExitDone;
  }
  if (trace.failed()) {
    err << "dolvane-cli: the trace could not be written: " << trace.error() << '\n';
    if (status == kExitDone) status = kExitErrorBox;
  }
  return o.port ? status : dropNewFiles(status);  // without a port nothing was polled or traced
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::istream& in, bool inIsTerminal) {
  const int status = RunCommandLine(args, out, err, in, inIsTerminal);
  // The report is the command's result: losing it (a full disk, a closed
  // stdout) is a failure, whatever the operation did.
  if (!out.flush()) {
    const auto* buf = dynamic_cast<const LogFileBuf*>(out.rdbuf());
    err << "dolvane-cli: the output could not be written";
    if (buf && !buf->failure().empty()) err << " (" << buf->failure() << ')';
    err << '\n';
    return kExitErrorBox;
  }
  return status;
}
