#pragma once
// The whole bus on a terminal: `--bus FILE poll-bus` polls every module of a bus
// file in turn, logging as `poll` does (stdout, or --csv FILE with a summary on
// stdout at the end); `scan-stations ... --bus FILE` writes the stations that
// answered as a bus file.
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "bus/bus_file.h"
#include "bus/bus_log.h"

class CliTrace;
class Operations;
struct StationScan;

inline constexpr const char* kBusUsage =
    "  --bus FILE          a bus file (JSON): its port, baud rate and line format, unless -p/--simulate,\n"
    "                      -b or -f say otherwise; poll-bus polls its modules\n";
inline constexpr const char* kBusOperationsUsage =
    "           poll-bus [--interval MS] [--count N] [--csv FILE [--new]] [--wide]   (needs --bus FILE) |\n"
    "           report [--pdf FILE] [--csv FILE] [--html FILE]   (needs --bus FILE) |\n";
inline constexpr const char* kBusHelp =
    "  poll-bus: every module of the bus file in turn, as its model's `poll` does; a cycle is one\n"
    "        poll of each (--interval: cycle start to cycle start, default 0: back to back;\n"
    "        --count: cycles). One CSV row per module per cycle (time,station,name,model,status\n"
    "        and a column per quantity key), or with --wide one row per cycle (S:status and\n"
    "        S:KEY per module at station S); --csv as for poll. A failing module is logged with\n"
    "        its status and polling goes on; a port failure ends it (exit 1)\n"
    "  report: read every module of the bus file once and write the commissioning report: a cover\n"
    "        (date, port, line settings, module count), then per module its name, station, model,\n"
    "        program version, ranges, factory date, settings and one full reading with units and\n"
    "        its time; --pdf (A4), --csv (station,name,model,status,time,item,value,unit) and\n"
    "        --html, each replaced whole; at least one. Exit 1 when a module did not answer (the\n"
    "        report still holds it, with its failure) or the port failed\n"
    "  scan-stations ... --bus FILE: also write (replace) FILE with the stations that answered\n"
    "        with a word 0 a model accepts (several fit: the first, the others in its notes)\n";

struct BusPollCommand {
  std::chrono::milliseconds interval{0};
  uint64_t count = 0;  // cycles; 0: until a signal
  std::optional<std::string> csvPath;
  bool newFile = false;
  bool wide = false;
  BusLogLayout layout() const { return wide ? BusLogLayout::kRowPerCycle : BusLogLayout::kRowPerModule; }
};

// The poll-bus command's arguments; nullopt for any other operation. A usage
// error leaves its text in *problem.
std::optional<BusPollCommand> ParseBusPollCommand(const std::string& operation, const std::vector<std::string>& args,
                                                  std::string* problem);

// Polls the bus on the open port of `ops`, logging to `fileLog` (opened by the
// caller) or to `out`; the exit status as for poll.
int RunBusPollCommand(const BusPollCommand& command, const BusFile& bus, Operations& ops, BusLog* fileLog,
                      const CliTrace& trace, std::ostream& out, std::ostream& err);

struct BusReportCommand {
  std::optional<std::string> pdfPath;
  std::optional<std::string> csvPath;
  std::optional<std::string> htmlPath;
  bool byteOrderMark = false;  // the CSV starts with a UTF-8 byte-order mark (--bom)
};

// Prints an HTML document to a PDF file; a build without one refuses --pdf.
using HtmlPdfWriter = bool (*)(const std::string& html, const std::string& title, const std::string& path,
                               std::string* error);
void SetHtmlPdfWriter(HtmlPdfWriter writer);

// The report command's arguments; nullopt for any other operation.
std::optional<BusReportCommand> ParseBusReportCommand(const std::string& operation,
                                                      const std::vector<std::string>& args, std::string* problem);
// Reads every module on the open port of `ops` and writes the report's files.
int RunBusReportCommand(const BusReportCommand& command, const BusFile& bus, Operations& ops, std::ostream& err);

// Takes a trailing "--bus FILE" off scan-stations' arguments: FILE, or nullopt.
std::optional<std::string> TakeScanBusFile(std::vector<std::string>& args);
// Writes the scan's bus file; the exit status (1 when it could not be written).
int WriteScannedBus(const std::string& path, const StationScan& scan, Operations& ops, std::ostream& err);
