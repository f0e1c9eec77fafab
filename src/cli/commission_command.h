#pragma once
// `--bus FILE commission`: factory-set modules plugged in one at a time, each
// given the next free station and the bus's line settings and added to FILE
// (saved after each), prompting on a terminal; with --yes each module is waited
// for on the line instead.
#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "bus/bus_file.h"

class Operations;
struct ModelEntry;

inline constexpr const char* kCommissionOperationsUsage =
    "           commission [--first-station N] [--model MODEL[,MODEL...]] [--count N] [--wait SECONDS]   (needs --bus FILE) |\n";
inline constexpr const char* kCommissionHelp =
    "  commission: plug factory-set modules (station 1, 9600 N,8,1) in one at a time; each is read and\n"
    "        named, given the next free station of the bus file (from --first-station, default 2) and the\n"
    "        file's line settings (writes allowed for the change and forbidden again after), read\n"
    "        again and checked, and added to the file, which is saved after each (a missing file is\n"
    "        started with -p, -b and -f). --model: the model each module must be, in the order they\n"
    "        come (the last for the rest); without it word 0 must name the model, and on a terminal\n"
    "        it asks for one. On a terminal it asks before each module, for a name, and to retry or skip a\n"
    "        failure; with -y it waits up to --wait seconds (default 30) for each module and stops at\n"
    "        a failure (exit 1); --count ends after N modules\n";

struct CommissionCommand {
  int firstStation = 2;
  std::vector<const ModelEntry*> models;  // the n-th module's; the last for the rest
  int count = 0;  // 0: until the user ends, or no module comes
  std::chrono::seconds wait{30};
};

std::optional<CommissionCommand> ParseCommissionCommand(const std::string& operation,
                                                        const std::vector<std::string>& args, std::string* problem);

// `bus` is saved to `path` after each module; `interactive`: prompt on out, answers from in.
int RunCommissionCommand(const CommissionCommand& command, BusFile& bus, const std::string& path, Operations& ops,
                         bool interactive, std::istream& in, std::ostream& out, std::ostream& err);
