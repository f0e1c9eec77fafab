#pragma once
// The write journal on disk: JSON lines, one object each. A write appends a
// "begin" line before its frame goes and an "end" line with the same id once
// it has ended; each line is on the disk before the call returns. A begin
// without its end is a write whose outcome was never learnt (a crash, a pulled
// cable): the reader shows it as unfinished.
#include <cstdint>
#include <string>

#include "modbus/write_journal.h"

class JournalFile : public WriteJournal {
 public:
  // `path` empty: no place is known, and every write is refused.
  explicit JournalFile(std::string path);

  bool begin(const JournalEntry& entry, std::string* problem) override;
  bool end(const WriteOutcome& outcome, std::string* problem) override;

  const std::string& path() const { return path_; }

 private:
  bool append(const std::string& line, std::string* problem);

  std::string path_;
  std::string idStem_;  // unique to this process's run
  uint64_t sequence_ = 0;
  std::string open_;    // the id of the entry begun and not yet ended
};

// The one time format of the file: local time to the millisecond.
std::string JournalTimeNow();
