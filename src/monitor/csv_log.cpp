#include "monitor/csv_log.h"

#include <charconv>
#include <ctime>
#include <optional>
#include <ostream>

#include "console/local_time.h"
#include "console/text.h"

namespace {

std::unordered_map<std::string, size_t> IndexOf(const std::vector<QuantityColumn>& columns) {
  std::unordered_map<std::string, size_t> index;
  for (size_t i = 0; i < columns.size(); ++i) index.emplace(columns[i].key, i);
  return index;
}

}  // namespace

std::string CsvHeader(const std::vector<QuantityColumn>& columns) {
  std::string header = "time,station,status";
  for (const QuantityColumn& column : columns) header += "," + CsvField(column.heading());
  return header;
}

std::string IsoLocalTime(std::chrono::system_clock::time_point at) {
  const LocalTime local = LocalTimeOf(at);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local.fields);
  std::string stamp = text;
  appendf(stamp, ".%03d", local.micros / 1000);
  return stamp;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CsvNumber(double value) {
  char text[32];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end.ptr);
}

CsvLog::CsvLog(std::ostream& out, std::vector<QuantityColumn> columns)
    : output_(out), columns_(std::move(columns)), columnOfKey_(IndexOf(columns_)), header_(CsvHeader(columns_)) {
  output_.put(header_ + "\r\n");
}

CsvLog::CsvLog(std::unique_ptr<LogFile> file, std::vector<QuantityColumn> columns)
    : output_(std::move(file)),
      columns_(std::move(columns)),
      columnOfKey_(IndexOf(columns_)),
      header_(CsvHeader(columns_)) {}

ExistingLog ClassifyExistingLog(std::string_view head, std::string_view header) {
  if (head.empty()) return ExistingLog::kNothing;
  head = WithoutByteOrderMark(head);
  std::string_view first = head.substr(0, head.find('\n'));
  if (!first.empty() && first.back() == '\r') first.remove_suffix(1);
  if (first == header) return ExistingLog::kSameColumns;
  constexpr std::string_view kLogStart = "time,station,status";
  if (first.substr(0, kLogStart.size()) == kLogStart &&
      (first.size() == kLogStart.size() || first[kLogStart.size()] == ','))
    return ExistingLog::kOtherColumns;
  return ExistingLog::kOtherContent;
}

std::unique_ptr<CsvLog> CsvLog::OpenFile(const std::string& path, std::vector<QuantityColumn> columns,
                                         FileMode mode, std::string* error, bool* refused, bool byteOrderMark) {
  std::unique_ptr<LogFile> file = LogFile::Open(
      path, mode == FileMode::kNew ? LogFile::Create::kOnlyNew : LogFile::Create::kIfMissing, error, refused);
  if (!file) return nullptr;
  return Continue(std::move(file), std::move(columns), error, refused, byteOrderMark);
}

std::unique_ptr<CsvLog> CsvLog::Continue(std::unique_ptr<LogFile> file, std::vector<QuantityColumn> columns,
                                         std::string* error, bool* refused, bool byteOrderMark) {
  if (refused) *refused = false;
  std::unique_ptr<CsvLog> log(new CsvLog(std::move(file), std::move(columns)));
  const std::optional<LogOutput::Refusal> refusal = log->output_.startOrContinue(
      log->header_, " holds a log of other columns",
      " holds something other than a log (its first line is not a log's header)", byteOrderMark);
  if (!refusal) return log;
  if (error) *error = refusal->text;
  if (refused) *refused = refusal->byRule;
  return nullptr;
}

bool LogOutput::put(std::string_view text) {
  if (!error_.empty()) return false;
  if (file_) {
    if (!file_->write(text)) error_ = file_->error();
  } else if (!(*out_ << text << std::flush)) {
    error_ = "the output failed";
  }
  return error_.empty();
}

std::optional<LogOutput::Refusal> LogOutput::startOrContinue(const std::string& header, const char* otherColumns,
                                                             const char* otherContent, bool byteOrderMark) {
  const LogFile& f = *file_;
  switch (ClassifyExistingLog(f.head(), header)) {
    case ExistingLog::kNothing:
      if (!put(ByteOrderMarked(byteOrderMark, header + "\r\n"))) return Refusal{error_, false};
      break;
    case ExistingLog::kSameColumns:
      // A row cut short keeps its bytes; the next row starts on a line of its own.
      if (!f.endsWithLineBreak() && !put(f.lineEndToFinish())) return Refusal{error_, false};
      break;
    case ExistingLog::kOtherColumns:
      return Refusal{f.path() + otherColumns, true};
    case ExistingLog::kOtherContent:
      return Refusal{f.path() + otherContent, true};
  }
  return std::nullopt;
}

bool CsvLog::write(const PollResult& result) {
  std::vector<std::optional<double>> values(columns_.size());
  for (const Quantity& q : result.quantities) {
    const auto column = columnOfKey_.find(q.key);
    if (column != columnOfKey_.end()) values[column->second] = q.value;
  }
  std::string row = IsoLocalTime(result.wallClock);
  row += "," + std::to_string(result.station) + "," + StatusText(result);
  for (const std::optional<double>& value : values) {
    row += ',';
    if (value) row += CsvNumber(*value);
  }
  row += "\r\n";
  return output_.put(row);
}

