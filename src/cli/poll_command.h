#pragma once
// `poll MODEL` and `poll-registers START COUNT`: the monitor on a terminal. The
// log goes to stdout (header first, a row per poll) or to --csv FILE with a
// summary on stdout at the end; SIGINT or SIGTERM ends it after the exchange
// under way, the log complete. A log file is only ever appended to.
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "monitor/poller.h"

class CliTrace;
class CsvLog;
class Operations;

struct PollCommand {
  PollTarget target;
  StationInput station = StationInput::Of(1);  // --station, as the form model reads it
  std::chrono::milliseconds interval{1000};
  uint64_t count = 0;  // 0: until a signal
  std::optional<std::string> csvPath;
  bool newFile = false;  // --new: the log starts a file that does not exist yet
};

// The poll command of an operation and its arguments; nullopt for any other
// operation. A usage error leaves its text in *problem.
std::optional<PollCommand> ParsePollCommand(const std::string& operation,
                                            const std::vector<std::string>& args, std::string* problem);

// Polls on the open port of `ops`, logging to `fileLog` (the --csv file, opened
// by the caller) or to `out`, and returns the exit status: done, or the error
// box's when the port failed, the station was refused or the log or the trace
// could not be written (polling then stops: nothing more could be kept).
int RunPollCommand(const PollCommand& command, Operations& ops, CsvLog* fileLog, const CliTrace& trace,
                   std::ostream& out, std::ostream& err);
