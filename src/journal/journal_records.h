#pragma once
// The journal read back: each begin paired with its end by id, what a listing
// or a window shows of an entry, the filters and the CSV export.
#include <optional>
#include <string>
#include <vector>

#include "modbus/write_journal.h"
#include "console/texts.h"

// The window's 写入记录 view.
inline constexpr TrText kJournalWindowTitle = TrNoop("journal", "写入记录");
inline constexpr TrText kJournalStationLabel = TrNoop("journal", "站号：");
inline constexpr TrText kJournalAllStations = TrNoop("journal", "全部");
inline constexpr TrText kJournalSinceLabel = TrNoop("journal", "起始日期：");
inline constexpr TrText kJournalRefreshText = TrNoop("journal", "刷新");
inline constexpr TrText kJournalExportText = TrNoop("journal", "导出CSV…");
inline constexpr TrText kJournalBadSince = TrNoop("journal", "起始日期应为 2026-12-11 或 2026-12-11 08:30 的形式。");

struct JournalRecord {
  std::string id;
  std::string begun;  // local time, as the file has it
  JournalEntry entry;
  std::optional<WriteOutcome> outcome;  // none: unfinished, the outcome never reached the disk
  std::string ended;
};

struct JournalContents {
  std::vector<JournalRecord> records;  // oldest first, as written
  size_t damagedLines = 0;             // lines that are not an entry (a line cut off by a crash)
};

// A missing file is an empty journal; nullopt with *problem when it cannot be read.
std::optional<JournalContents> ReadJournal(const std::string& path, std::string* problem);

struct JournalFilter {
  std::optional<int> station;
  std::string since;  // "YYYY-MM-DD HH:MM:SS" (SinceOf); empty: from the first entry
};
std::vector<JournalRecord> Filtered(const std::vector<JournalRecord>& records, const JournalFilter& filter);

// "2026-12-11", "2026-12-11 08:30" or "2026-12-11 08:30:15" (or with 'T') as
// the filter's form; nullopt for anything else.
std::optional<std::string> SinceOf(const std::string& text);

// One line per entry: time, line, station and model, operation, the words and
// the ones they replaced, outcome (UNFINISHED when none came).
std::string ListingLine(const JournalRecord& record);

// What a window lists: the entries kept by `filter`, newest first, one line
// each, and a last line counting them.
std::string JournalListing(const std::vector<JournalRecord>& kept);

// A header and a row per entry.
std::string JournalCsv(const std::vector<JournalRecord>& records);
