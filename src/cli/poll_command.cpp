#include "cli/poll_command.h"

#include <charconv>
#include <iostream>

#include "cli/cli.h"
#include "cli/discovery_commands.h"
#include "cli/stop_signals.h"
#include "console/text.h"
#include "modbus/register_tools.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "monitor/csv_log.h"

namespace {

// Whole-string decimal within [0, max].
std::optional<uint64_t> Number(const std::string& text, uint64_t max) { return WholeNumber(text, max); }

}  // namespace

std::optional<PollCommand> ParsePollCommand(const std::string& operation,
                                            const std::vector<std::string>& args, std::string* problem) {
  const bool registers = operation == "poll-registers";
  if (operation != "poll" && !registers) return std::nullopt;
  const size_t positional = registers ? 2 : 1;
  auto fail = [&](const std::string& text) {
    *problem = text;
    return std::nullopt;
  };
  if (args.size() < positional)
    return fail(registers ? "poll-registers takes START COUNT" : "poll takes MODEL");

  PollCommand command;
  if (registers) {
    const std::optional<uint64_t> start = Number(args[0], 65535);
    const std::optional<uint64_t> count = Number(args[1], 65536);
    if (!start || !count || ReadBlockError(static_cast<int64_t>(*start), static_cast<int64_t>(*count)))
      return fail("poll-registers needs START 0-65535 and COUNT 1-120 inside the 65536 registers");
    command.target = PollTarget::Registers(static_cast<uint16_t>(*start), static_cast<uint16_t>(*count));
  } else {
    const ModelEntry* model = FindModel(args[0]);
    if (!model) return fail("unknown model " + args[0]);
    command.target = PollTarget::Model(model->reader);
  }
  for (size_t i = positional; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--new") {
      command.newFile = true;
      continue;
    }
    if (i + 1 >= args.size()) return fail(option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--interval") {
      const std::optional<uint64_t> ms = Number(value, 86400000);
      if (!ms) return fail("--interval takes milliseconds, 0 to 86400000");
      command.interval = std::chrono::milliseconds(*ms);
    } else if (option == "--count") {
      const std::optional<uint64_t> count = Number(value, UINT64_MAX);
      if (!count || *count == 0) return fail("--count takes a number of polls from 1");
      command.count = *count;
    } else if (option == "--csv") {
      if (value.empty()) return fail("--csv takes a file name");
      command.csvPath = value;
    } else {
      return fail("unknown poll option " + option);
    }
  }
  if (command.newFile && !command.csvPath) return fail("--new goes with --csv FILE");
  return command;
}

int RunPollCommand(const PollCommand& command, Operations& ops, CsvLog* fileLog, const CliTrace& trace,
                   std::ostream& out, std::ostream& err) {
  Poller poller(ops.context(), command.target, {command.interval, command.station});
  std::optional<CsvLog> stdoutLog;
  CsvLog* log = fileLog ? fileLog : &stdoutLog.emplace(out, poller.columns());

  bool logLost = !log->good();
  if (!logLost) {
    // A signal that came before this point ends the run before its first poll.
    RunPolls(poller, command.count, &StopRequested(), [&](const PollResult& result) {
      if ((!log->write(result) || trace.failed()) && !logLost) {
        logLost = true;
        poller.stop();  // nothing more can be kept
      }
    });
  }
  (fileLog ? out : err) << SummaryLine(poller.counters(), poller.rate()) << '\n';
  if (logLost) {
    // A lost stdout is told once, by the command line's own check; a lost trace by its own.
    if (fileLog && !fileLog->good())
      err << "dolvane-cli: the log could not be written: " << fileLog->error() << '\n';
    return kExitErrorBox;
  }
  return poller.stopBox().empty() ? kExitDone : kExitErrorBox;
}
