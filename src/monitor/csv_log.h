#pragma once
// The monitor's log: UTF-8 CSV, a header row, then a row per poll: local time
// (ISO 8601 with milliseconds), station, status, one column per quantity named
// "label (unit)". A failed poll's row has its status and empty values. Every
// row is flushed as it is written, so a crash or a pulled cable loses nothing
// that was polled. A log file is only ever added to, never truncated.
#include <chrono>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "monitor/log_file.h"
#include "monitor/poller.h"

// Where a log's text goes: a log file, or a stream (standard output), every
// write flushed; the first failure ends the writing and keeps its reason.
class LogOutput {
 public:
  explicit LogOutput(std::ostream& out) : out_(&out) {}
  explicit LogOutput(std::unique_ptr<LogFile> file) : file_(std::move(file)) {}

  bool put(std::string_view text);
  bool good() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // Over a file, for a log whose header row is `header`: starts a missing or
  // empty file with it, continues a file that holds this log (a last row cut
  // short ended first). Else why not: the file's path followed by `otherColumns`
  // or `otherContent`, byRule true (a file these rules turn down), or the
  // system's reason for a write that failed, byRule false. A log started here
  // begins with a UTF-8 byte-order mark when `byteOrderMark`; one continued
  // keeps the start it has.
  struct Refusal {
    std::string text;
    bool byRule = false;
  };
  std::optional<Refusal> startOrContinue(const std::string& header, const char* otherColumns,
                                         const char* otherContent, bool byteOrderMark);

 private:
  std::unique_ptr<LogFile> file_;
  std::ostream* out_ = nullptr;
  std::string error_;
};

class CsvLog {
 public:
  // Writes the header row to `out` at once.
  CsvLog(std::ostream& out, std::vector<QuantityColumn> columns);
  // A log file. kAppend continues a file that holds a log of these columns
  // (logging switched off and on again, yesterday's command run again), ending
  // a last row cut short (a crash, a full disk) first, and starts a log in a
  // missing or empty file; kNew starts one only where nothing exists. A file
  // holding a log of other columns or anything else is refused and left as it
  // is. Null with *error set when the file cannot be used; *refused then tells
  // a refusal by these rules from a file the system cannot open or write.
  // `byteOrderMark`: a log started begins with the UTF-8 mark (for Excel).
  enum class FileMode { kAppend, kNew };
  static std::unique_ptr<CsvLog> OpenFile(const std::string& path, std::vector<QuantityColumn> columns,
                                          FileMode mode, std::string* error, bool* refused = nullptr,
                                          bool byteOrderMark = false);
  // The same over a file opened already (kAppend's rules).
  static std::unique_ptr<CsvLog> Continue(std::unique_ptr<LogFile> file, std::vector<QuantityColumn> columns,
                                          std::string* error, bool* refused = nullptr, bool byteOrderMark = false);

  // One row; false once the output has failed (a full disk, a closed pipe).
  bool write(const PollResult& result);
  bool good() const { return output_.good(); }
  // Why the output failed, when it did and the reason is known.
  const std::string& error() const { return output_.error(); }
  const std::string& header() const { return header_; }

 private:
  CsvLog(std::unique_ptr<LogFile> file, std::vector<QuantityColumn> columns);

  LogOutput output_;
  std::vector<QuantityColumn> columns_;
  std::unordered_map<std::string, size_t> columnOfKey_;
  std::string header_;
};

// What a file that starts with `head` holds, for a log whose header row is
// `header` (a byte-order mark before it aside).
enum class ExistingLog {
  kNothing,       // empty: the log starts with its header
  kSameColumns,   // a log of this header: it is continued
  kOtherColumns,  // a log of other quantities
  kOtherContent,  // anything else
};
ExistingLog ClassifyExistingLog(std::string_view head, std::string_view header);
// The header row of a log of these columns, without its line end.
std::string CsvHeader(const std::vector<QuantityColumn>& columns);

// "2026-12-10T09:41:07.250": local time with milliseconds.
std::string IsoLocalTime(std::chrono::system_clock::time_point at);
// A field as CSV needs it: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);
// The shortest text that reads back as the same number ("2.5", "-200", "220.01").
std::string CsvNumber(double value);
