#include "session/window_set_up.h"

#include <memory>

#include "journal/durable_append.h"
#include "journal/journal_file.h"
#include "operations/operations.h"

std::string SetUpWindowOperations(Operations& ops) {
  ops.InitLinkDefaults();
  const std::string path = DefaultJournalPath();
  ops.journalWrites(std::make_unique<JournalFile>(path), true);
  return path;
}
