#pragma once
// The command line's traffic trace (--trace, --trace-file) and its discovery
// commands (scan-stations, detect-line), kept beside the operation commands.
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "discovery/probe.h"
#include "monitor/log_file.h"

class Operations;
class TerminalConsole;
class TrafficTap;

struct CliUsageError {
  std::string what;
};

struct TraceAndDiscoveryOptions {
  bool trace = false;                    // each frame as a line on stderr
  std::optional<std::string> traceFile;  // and/or in this file
  int turnaroundMs = kDefaultTurnaroundMs;
};

// Takes `arg` when it is one of these options (`value` yields the next argument);
// false when it is not. Throws CliUsageError on a bad value.
bool TakeTraceOrDiscoveryOption(const std::string& arg, const std::function<std::string(const std::string&)>& value,
                                TraceAndDiscoveryOptions& options);

inline constexpr const char* kTraceAndDiscoveryUsage =
    "  --trace             print every frame on the line to stderr, one line each, with its verdict\n"
    "  --trace-file FILE   add those lines to FILE (never truncated; created when missing)\n"
    "  --turnaround MS     discovery's wait for a module beyond the wire time (default 50)\n";
inline constexpr const char* kDiscoveryOperationsUsage =
    "           scan-stations [FROM TO] [--bus FILE] | detect-line STATION   (read only: nothing is written)\n"
    "  detect-line: the settings the station answers at; where all 32 answer alike the port\n"
    "        carries no line settings (a virtual COM port): a box says so, exit 1\n";

// Sends the tap's records where the options say, for as long as it lives:
// stderr with --trace, and the --trace-file opened by the caller (or null).
class CliTrace {
 public:
  CliTrace(const TraceAndDiscoveryOptions& options, std::unique_ptr<LogFile> file, std::ostream& err);
  void attach(TrafficTap& tap);
  // The file could not take a line (a full disk): what it lacks is lost.
  bool failed() const { return file_ && file_->failed(); }
  // The file goes if this run created it (a run that never reached its port).
  void removeIfCreated() {
    if (file_) file_->removeIfCreated();
  }
  const std::string& error() const;

 private:
  bool toErr_;
  std::ostream& err_;
  std::unique_ptr<LogFile> file_;
};

bool IsDiscoveryCommand(const std::string& operation);
// Throws CliUsageError when the arguments do not fit the command.
void CheckDiscoveryArgs(const std::string& operation, const std::vector<std::string>& args);
// Runs the command on the open (or not open) port; the exit status. scan-stations
// also writes `busFile` (see cli/bus_command.h) unless the port failed.
int RunDiscoveryCommand(Operations& ops, TerminalConsole& console, const std::string& operation,
                        const std::vector<std::string>& args, const TraceAndDiscoveryOptions& options,
                        std::ostream& out, std::ostream& err, const std::optional<std::string>& busFile = {});
