#include "journal/journal_file.h"

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <random>

#include "console/local_time.h"
#include "journal/durable_append.h"

namespace {

using Json = nlohmann::ordered_json;

// Two consoles may append to one file: the ids of each run differ by a random
// stem, those within a run by their number.
std::string RandomStem() {
  std::random_device random;
  char stem[17];
  std::snprintf(stem, sizeof stem, "%08x%08x", random(), random());
  return stem;
}

std::string Dump(const Json& line) {
  // A port name that is not UTF-8 must not cost the entry.
  return line.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string JournalTimeNow() {
  const LocalTime now = LocalTimeOf(std::chrono::system_clock::now());
  char text[40];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &now.fields);
  std::snprintf(text + n, sizeof text - n, ".%03d", now.micros / 1000);
  return text;
}

JournalFile::JournalFile(std::string path) : path_(std::move(path)), idStem_(RandomStem()) {}

bool JournalFile::append(const std::string& line, std::string* problem) {
  if (path_.empty()) {
    *problem = "no folder for the journal is known (set DOLVANE_JOURNAL)";
    return false;
  }
  return AppendLineDurably(path_, line, problem);
}

bool JournalFile::begin(const JournalEntry& entry, std::string* problem) {
  const std::string id = idStem_ + "-" + std::to_string(++sequence_);
  Json line{{"id", id}, {"event", "begin"}, {"time", JournalTimeNow()}, {"operation", entry.operation},
            {"port", entry.port}};
  if (entry.baudRate) line["baud"] = entry.baudRate;
  if (!entry.lineFormat.empty()) line["format"] = entry.lineFormat;
  line["station"] = entry.station;
  if (!entry.model.empty()) line["model"] = entry.model;
  line["start"] = entry.start;
  line["values"] = entry.values;
  if (entry.before) line["before"] = *entry.before;
  if (!entry.beforeProblem.empty()) line["beforeProblem"] = entry.beforeProblem;
  if (!append(Dump(line), problem)) return false;
  open_ = id;
  return true;
}

bool JournalFile::end(const WriteOutcome& outcome, std::string* problem) {
  if (open_.empty()) return true;
  Json line{{"id", open_}, {"event", "end"}, {"time", JournalTimeNow()}, {"result", ResultName(outcome.result)}};
  if (!outcome.fact.empty()) line["fact"] = outcome.fact;
  open_.clear();
  return append(Dump(line), problem);
}
