#pragma once
// The monitor's log: UTF-8 CSV, a header row, then a row per poll: local time
// (ISO 8601 with milliseconds), station, status, one column per quantity named
// "label (unit)". A failed poll's row has its status and empty values. Every
// row is flushed as it is written, so a crash or a pulled cable loses nothing
// that was polled.
#include <chrono>
#include <fstream>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "monitor/poller.h"

class CsvLog {
 public:
  // Writes the header row to `out` at once.
  CsvLog(std::ostream& out, std::vector<QuantityColumn> columns);
  // A log file. Appending to a file that already holds rows keeps them when its
  // header is this one (logging switched off and on again); a file with another
  // header is refused. Null with *error set when the file cannot be used.
  enum class FileMode { kTruncate, kAppend };
  static std::unique_ptr<CsvLog> OpenFile(const std::string& path, std::vector<QuantityColumn> columns,
                                          FileMode mode, std::string* error);

  // One row; false once the output has failed (a full disk, a closed pipe).
  bool write(const PollResult& result);
  bool good() const;
  const std::string& header() const { return header_; }

 private:
  CsvLog(std::unique_ptr<std::ofstream> file, std::vector<QuantityColumn> columns, bool writeHeader);

  std::unique_ptr<std::ofstream> file_;
  std::ostream& out_;
  std::vector<QuantityColumn> columns_;
  std::unordered_map<std::string, size_t> columnOfKey_;
  std::string header_;
};

// "2026-12-10T09:41:07.250": local time with milliseconds.
std::string IsoLocalTime(std::chrono::system_clock::time_point at);
// A field as CSV needs it: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);
// The shortest text that reads back as the same number ("2.5", "-200", "220.01").
std::string CsvNumber(double value);
