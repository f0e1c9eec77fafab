#include "cli/journal_command.h"

#include <fstream>
#include <ostream>

#include "cli/cli.h"
#include "console/text.h"
#include "console/utf8_path.h"

std::optional<JournalCommand> ParseJournalCommand(const std::string& operation,
                                                  const std::vector<std::string>& args, std::string* problem) {
  if (operation != "journal") return std::nullopt;
  auto fail = [&](const std::string& text) {
    *problem = text;
    return std::nullopt;
  };
  JournalCommand command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) return fail(option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--station") {
      const std::optional<uint64_t> station = WholeNumber(value, 255);
      if (!station) return fail("--station takes a station, 0 to 255");
      command.filter.station = static_cast<int>(*station);
    } else if (option == "--since") {
      const std::optional<std::string> since = SinceOf(value);
      if (!since) return fail("--since takes YYYY-MM-DD, YYYY-MM-DD HH:MM or YYYY-MM-DD HH:MM:SS");
      command.filter.since = *since;
    } else if (option == "--csv") {
      if (value.empty()) return fail("--csv takes a file name");
      command.csvPath = value;
    } else {
      return fail("unknown journal option " + option);
    }
  }
  return command;
}

int RunJournalCommand(const JournalCommand& command, const std::string& path, std::ostream& out,
                      std::ostream& err) {
  if (path.empty()) {
    err << "dolvane-cli: no journal file is known: set DOLVANE_JOURNAL or give --journal FILE\n";
    return kExitErrorBox;
  }
  std::string problem;
  const std::optional<JournalContents> contents = ReadJournal(path, &problem);
  if (!contents) {
    err << "dolvane-cli: " << problem << '\n';
    return kExitErrorBox;
  }
  if (contents->damagedLines)
    err << "dolvane-cli: " << contents->damagedLines << " line(s) of " << path << " are no entry, skipped\n";
  const std::vector<JournalRecord> records = Filtered(contents->records, command.filter);
  if (!command.csvPath) {
    for (const JournalRecord& record : records) out << ListingLine(record) << '\n';
    return kExitDone;
  }
  std::ofstream csv(PathOfUtf8(*command.csvPath), std::ios::binary | std::ios::trunc);
  csv << ByteOrderMarked(command.byteOrderMark, JournalCsv(records));
  if (!csv.flush()) {
    err << "dolvane-cli: cannot write " << *command.csvPath << '\n';
    return kExitErrorBox;
  }
  out << records.size() << " entries written to " << *command.csvPath << '\n';
  return kExitDone;
}
