// The journal file as a crash, a disk or a hand may leave it: any bytes. Checked:
// reading never fails on its contents, and every entry it takes gives a listing
// line and a CSV row under the header.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "journal/journal_records.h"
#include "memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile file("journal");
  file.hold(data, size);
  std::string problem;
  const std::optional<JournalContents> contents = ReadJournal(file.path(), &problem);
  Require(contents.has_value(), "a journal's bytes made it unreadable");
  for (const JournalRecord& record : contents->records)
    Require(!ListingLine(record).empty(), "an entry without a listing line");
  const std::string csv = JournalCsv(Filtered(contents->records, {1, "2026-01-01 00:00:00"}));
  Require(csv.starts_with("begun,ended,"), "the CSV lost its header");
  return 0;
}
