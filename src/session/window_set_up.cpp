#include "session/window_set_up.h"

#include <memory>

#include "journal/durable_append.h"
#include "journal/journal_file.h"
#include "operations/operations.h"

void SetUpWindowOperations(Operations& ops) {
  ops.InitLinkDefaults();
  ops.journalWrites(std::make_unique<JournalFile>(DefaultJournalPath()), true);
}
