#pragma once
// The bus's log: UTF-8 CSV with the monitor log's rules (a header row; every row
// flushed as it is written; a file only ever added to, a log of the same columns
// continued, any other file refused). Two layouts:
//   - a row per module per cycle: time,station,name,model,status, then a column
//     per quantity key of the bus's models (a module fills its model's);
//   - a row per cycle (--wide): time, then per module "S:status" and "S:KEY"
//     for each quantity key of its model (S its station).
// A failed poll's row (or cell) has its status and empty values.
#include <chrono>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bus/bus_file.h"
#include "monitor/csv_log.h"
#include "monitor/log_file.h"
#include "monitor/poller.h"

enum class BusLogLayout { kRowPerModule, kRowPerCycle };

class BusLog {
 public:
  // Writes the header row to `out` at once.
  BusLog(std::ostream& out, const BusFile& bus, BusLogLayout layout);
  // A log file opened already: started when empty, continued when it holds a log
  // of this header (a last row cut short ended first), else refused (*refused
  // true) and left as it is. Null with *error set when it cannot be used.
  // `byteOrderMark`: a log started begins with the UTF-8 mark (for Excel).
  static std::unique_ptr<BusLog> Continue(std::unique_ptr<LogFile> file, const BusFile& bus, BusLogLayout layout,
                                          std::string* error, bool* refused = nullptr, bool byteOrderMark = false);

  // A module's poll: its row, or its cells of the cycle's row.
  bool write(size_t module, const PollResult& result);
  // The cycle's row (per cycle only); modules not polled in it are left empty.
  bool endCycle(std::chrono::system_clock::time_point at);
  bool good() const { return output_.good(); }
  const std::string& error() const { return output_.error(); }
  const std::string& header() const { return header_; }

 private:
  BusLog(LogOutput output, const BusFile& bus, BusLogLayout layout);
  std::string valueCells(const std::vector<std::string>& keys, const PollResult& result) const;

  LogOutput output_;
  BusFile bus_;
  BusLogLayout layout_;
  std::vector<std::string> keys_;                     // per module: the bus's keys
  std::vector<std::vector<std::string>> moduleKeys_;  // per cycle: each module's
  std::vector<std::string> pendingCells_;             // per cycle: this cycle's, by module
  std::string header_;
};

std::string BusLogHeader(const BusFile& bus, BusLogLayout layout);
