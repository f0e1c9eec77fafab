#pragma once
// `journal`: the write journal on a terminal, oldest entry first, one line
// each, or as CSV into a file.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal_records.h"

inline constexpr const char* kJournalUsage =
    "  --journal FILE      the write journal: every write is recorded there before it is sent (default\n"
    "                      $DOLVANE_JOURNAL, else $XDG_DATA_HOME/dolvane/journal.jsonl or\n"
    "                      ~/.local/share/dolvane/journal.jsonl; %APPDATA%\\Dolvane\\journal.jsonl on\n"
    "                      Windows). A journal that cannot be written stops the write unsent (exit 1)\n"
    "  --read-before-write write-register and write-registers first read the words they replace,\n"
    "                      for the journal (one more read frame on the line)\n";
inline constexpr const char* kJournalOperationsUsage =
    "           journal [--station N] [--since DATE] [--csv FILE] |\n";
inline constexpr const char* kJournalHelp =
    "  journal: the write journal, oldest first, one line per write: time, port and line, station,\n"
    "        model, operation, REGISTER=VALUES (was OLD VALUES), result (confirmed, mismatch,\n"
    "        exception, no-reply, broadcast, corrupt, send-failed, port-failed), or UNFINISHED for a\n"
    "        write whose outcome never reached the disk. --station N: that station's only;\n"
    "        --since YYYY-MM-DD[ HH:MM[:SS]]: from that local time on; --csv FILE: the same entries\n"
    "        as CSV into FILE (replaced) instead\n";

struct JournalCommand {
  JournalFilter filter;
  std::optional<std::string> csvPath;
  bool byteOrderMark = false;  // the CSV starts with a UTF-8 byte-order mark (--bom)
};

// The journal command of an operation and its arguments; nullopt for any other
// operation. A usage error leaves its text in *problem.
std::optional<JournalCommand> ParseJournalCommand(const std::string& operation,
                                                  const std::vector<std::string>& args, std::string* problem);

// Lists or exports the journal at `path`; the exit status.
int RunJournalCommand(const JournalCommand& command, const std::string& path, std::ostream& out,
                      std::ostream& err);
