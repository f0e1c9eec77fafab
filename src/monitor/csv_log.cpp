#include "monitor/csv_log.h"

#include <charconv>
#include <ctime>
#include <cstring>
#include <optional>
#include <ostream>

#include "console/text.h"

namespace {

std::string HeaderOf(const std::vector<QuantityColumn>& columns) {
  std::string header = "time,station,status";
  for (const QuantityColumn& column : columns) header += "," + CsvField(column.heading());
  return header;
}

std::unordered_map<std::string, size_t> IndexOf(const std::vector<QuantityColumn>& columns) {
  std::unordered_map<std::string, size_t> index;
  for (size_t i = 0; i < columns.size(); ++i) index.emplace(columns[i].key, i);
  return index;
}

}  // namespace

std::string IsoLocalTime(std::chrono::system_clock::time_point at) {
  const auto sinceEpoch = at.time_since_epoch();
  const auto seconds = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch - seconds);
  const std::time_t t = static_cast<std::time_t>(seconds.count());
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  std::string stamp = text;
  appendf(stamp, ".%03d", static_cast<int>(millis.count()));
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
    : out_(out), columns_(std::move(columns)), columnOfKey_(IndexOf(columns_)), header_(HeaderOf(columns_)) {
  out_ << header_ << "\r\n" << std::flush;
}

CsvLog::CsvLog(std::unique_ptr<std::ofstream> file, std::vector<QuantityColumn> columns, bool writeHeader)
    : file_(std::move(file)),
      out_(*file_),
      columns_(std::move(columns)),
      columnOfKey_(IndexOf(columns_)),
      header_(HeaderOf(columns_)) {
  if (writeHeader) out_ << header_ << "\r\n" << std::flush;
}

std::unique_ptr<CsvLog> CsvLog::OpenFile(const std::string& path, std::vector<QuantityColumn> columns,
                                         FileMode mode, std::string* error) {
  bool writeHeader = true;
  if (mode == FileMode::kAppend) {
    std::ifstream existing(path, std::ios::binary);
    std::string first;
    if (existing && std::getline(existing, first)) {
      if (!first.empty() && first.back() == '\r') first.pop_back();
      if (first != HeaderOf(columns)) {
        if (error) *error = path + " holds a log of other columns";
        return nullptr;
      }
      writeHeader = false;
    }
  }
  const auto openMode = std::ios::binary | (mode == FileMode::kAppend ? std::ios::app : std::ios::trunc);
  auto file = std::make_unique<std::ofstream>(path, std::ios::out | openMode);
  if (!*file) {
    if (error) *error = path + ": " + std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<CsvLog> log(new CsvLog(std::move(file), std::move(columns), writeHeader));
  if (!log->good()) {
    if (error) *error = path + ": " + std::strerror(errno);
    return nullptr;
  }
  return log;
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
  out_ << row << std::flush;
  return good();
}

bool CsvLog::good() const { return static_cast<bool>(out_); }
