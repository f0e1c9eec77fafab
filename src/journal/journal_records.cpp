#include "journal/journal_records.h"

#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "console/utf8_path.h"
#include "console/texts.h"

namespace {

using Json = nlohmann::json;

constexpr const char* kUnfinished = "unfinished";

// A line that is no entry of ours, though it is JSON.
struct NotAnEntry {};

// A whole number up to `max`, 0 when absent; anything else is no entry (a
// float or a negative number would not convert).
uint64_t Whole(const Json& value, uint64_t max) {
  if (!value.is_number_unsigned() || value.get<uint64_t>() > max) throw NotAnEntry{};
  return value.get<uint64_t>();
}
uint64_t WholeField(const Json& line, const char* name, uint64_t max) {
  return line.contains(name) ? Whole(line.at(name), max) : 0;
}

std::vector<uint16_t> WordsOf(const Json& list) {
  if (!list.is_array()) throw NotAnEntry{};
  std::vector<uint16_t> words;
  for (const Json& word : list) words.push_back(static_cast<uint16_t>(Whole(word, 65535)));
  return words;
}

JournalEntry EntryOf(const Json& line) {
  JournalEntry entry;
  entry.operation = line.value("operation", "");
  entry.port = line.value("port", "");
  entry.baudRate = static_cast<int>(WholeField(line, "baud", 10000000));
  entry.lineFormat = line.value("format", "");
  entry.station = static_cast<int>(WholeField(line, "station", 255));
  entry.model = line.value("model", "");
  entry.start = static_cast<uint16_t>(WholeField(line, "start", 65535));
  if (line.contains("values")) entry.values = WordsOf(line.at("values"));
  if (line.contains("before")) entry.before = WordsOf(line.at("before"));
  entry.beforeProblem = line.value("beforeProblem", "");
  return entry;
}

// Takes one line into the records; false when it is no entry of ours.
bool TakeLine(const std::string& text, JournalContents& contents, std::unordered_map<std::string, size_t>& byId) {
  const Json line = Json::parse(text, nullptr, false);
  if (line.is_discarded() || !line.is_object()) return false;
  try {
    const std::string id = line.at("id").get<std::string>();
    const std::string event = line.at("event").get<std::string>();
    if (event == "begin") {
      byId[id] = contents.records.size();
      contents.records.push_back({id, line.value("time", ""), EntryOf(line), std::nullopt, ""});
      return true;
    }
    const auto found = byId.find(id);
    if (event != "end" || found == byId.end()) return false;
    JournalRecord& record = contents.records[found->second];
    const std::optional<WriteResult> result = ResultNamed(line.value("result", ""));
    if (!result) return false;
    record.outcome = WriteOutcome{*result, line.value("fact", "")};
    record.ended = line.value("time", "");
    return true;
  } catch (const Json::exception&) {
    return false;
  } catch (const NotAnEntry&) {
    return false;
  }
}

std::string Words(const std::vector<uint16_t>& words, const char* separator = ",") {
  std::string text;
  for (uint16_t word : words) text += (text.empty() ? "" : separator) + std::to_string(word);
  return text;
}

std::string LineOf(const JournalEntry& e) {
  if (e.operation == "reset-scan") return e.port + " every line";
  std::string line = e.port;
  if (e.baudRate) line += " " + std::to_string(e.baudRate);
  if (!e.lineFormat.empty()) line += " " + e.lineFormat;
  return line;
}

std::string ResultText(const JournalRecord& r) {
  return r.outcome ? ResultName(r.outcome->result) : kUnfinished;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

bool Digits(const std::string& text, size_t at, size_t count) {
  for (size_t i = at; i < at + count; ++i)
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

}  // namespace

std::optional<JournalContents> ReadJournal(const std::string& path, std::string* problem) {
  JournalContents contents;
  std::error_code ec;
  if (!std::filesystem::exists(PathOfUtf8(path), ec)) return contents;
  std::ifstream in(PathOfUtf8(path), std::ios::binary);
  if (!in) {
    *problem = "cannot read " + path;
    return std::nullopt;
  }
  std::unordered_map<std::string, size_t> byId;
  std::string text;
  while (std::getline(in, text)) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (!text.empty() && !TakeLine(text, contents, byId)) ++contents.damagedLines;
  }
  if (in.bad()) {
    *problem = "cannot read " + path;
    return std::nullopt;
  }
  return contents;
}

std::vector<JournalRecord> Filtered(const std::vector<JournalRecord>& records, const JournalFilter& filter) {
  std::vector<JournalRecord> kept;
  for (const JournalRecord& r : records) {
    if (filter.station && r.entry.station != *filter.station) continue;
    if (!filter.since.empty() && r.begun < filter.since) continue;
    kept.push_back(r);
  }
  return kept;
}

std::optional<std::string> SinceOf(const std::string& text) {
  // YYYY-MM-DD, then optionally HH:MM and :SS
  if (!Digits(text, 0, 4) || text.size() < 10 || text[4] != '-' || !Digits(text, 5, 2) || text[7] != '-' ||
      !Digits(text, 8, 2))
    return std::nullopt;
  const int month = std::stoi(text.substr(5, 2));
  const int day = std::stoi(text.substr(8, 2));
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  std::string since = text.substr(0, 10) + " ";
  if (text.size() == 10) return since + "00:00:00";
  if ((text[10] != ' ' && text[10] != 'T') || !Digits(text, 11, 2) || text.size() < 16 || text[13] != ':' ||
      !Digits(text, 14, 2) || std::stoi(text.substr(11, 2)) > 23 || std::stoi(text.substr(14, 2)) > 59)
    return std::nullopt;
  since += text.substr(11, 5);
  if (text.size() == 16) return since + ":00";
  if (text.size() != 19 || text[16] != ':' || !Digits(text, 17, 2) || std::stoi(text.substr(17, 2)) > 59)
    return std::nullopt;
  return since + text.substr(16, 3);
}

std::string ListingLine(const JournalRecord& r) {
  const JournalEntry& e = r.entry;
  std::string line = r.begun + "  " + LineOf(e) + "  station " + std::to_string(e.station);
  if (e.station == 0) line += " (broadcast)";
  if (!e.model.empty()) line += " " + e.model;
  line += "  " + e.operation + "  " + std::to_string(e.start) + "=" + Words(e.values);
  if (e.before) line += " (was " + Words(*e.before) + ")";
  else if (!e.beforeProblem.empty()) line += " (not read: " + e.beforeProblem + ")";
  if (!r.outcome) return line + "  UNFINISHED";
  line += std::string("  ") + ResultName(r.outcome->result);
  if (!r.outcome->fact.empty()) line += ": " + r.outcome->fact;
  return line;
}

std::string JournalCsv(const std::vector<JournalRecord>& records) {
  std::string csv = "begun,ended,port,baud,format,station,model,operation,start,values,before,before_problem,result,fact\r\n";
  for (const JournalRecord& r : records) {
    const JournalEntry& e = r.entry;
    const std::vector<std::string> fields = {
        r.begun, r.ended, e.port, e.baudRate ? std::to_string(e.baudRate) : "", e.lineFormat,
        std::to_string(e.station), e.model, e.operation, std::to_string(e.start), Words(e.values, " "),
        e.before ? Words(*e.before, " ") : "", e.beforeProblem, ResultText(r), r.outcome ? r.outcome->fact : ""};
    for (size_t i = 0; i < fields.size(); ++i) csv += (i ? "," : "") + CsvField(fields[i]);
    csv += "\r\n";
  }
  return csv;
}

std::string JournalListing(const std::vector<JournalRecord>& kept) {
  std::string text;
  size_t unfinished = 0;
  for (auto r = kept.rbegin(); r != kept.rend(); ++r) {
    text += ListingLine(*r) + "\n";
    if (!r->outcome) ++unfinished;
  }
  text += std::to_string(kept.size()) + Tr("journal", " 条记录");
  if (unfinished) text += Tr("journal", "，其中 ") + std::to_string(unfinished) + Tr("journal", " 条未完成（写入结果未记下）");
  return text + "\n";
}
