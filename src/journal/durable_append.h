#pragma once
// Appending one line so that it is on the disk before the call returns: a crash
// or a pulled plug right after loses nothing already appended. Platform code:
// posix_durable_append.cpp, win32_durable_append.cpp.
#include <string>
#include <string_view>

// Creates the file and its folders when missing. False with *error set
// ("cannot write PATH: reason").
bool AppendLineDurably(const std::string& path, std::string_view line, std::string* error);

// The journal's file: $DOLVANE_JOURNAL when set, else
// $XDG_DATA_HOME/dolvane/journal.jsonl (~/.local/share/... without it) on
// Linux, %APPDATA%\Dolvane\journal.jsonl on Windows; empty when none is known.
std::string DefaultJournalPath();
