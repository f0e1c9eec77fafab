#include "modbus/write_journal.h"

namespace {

struct ResultRow {
  WriteResult result;
  const char* name;
};
constexpr ResultRow kResults[] = {
    {WriteResult::kConfirmed, "confirmed"},    {WriteResult::kMismatch, "mismatch"},
    {WriteResult::kException, "exception"},    {WriteResult::kNoReply, "no-reply"},
    {WriteResult::kBroadcast, "broadcast"},    {WriteResult::kCorrupt, "corrupt"},
    {WriteResult::kSendFailed, "send-failed"}, {WriteResult::kPortFailed, "port-failed"},
};

}  // namespace

const char* ResultName(WriteResult result) {
  for (const ResultRow& row : kResults)
    if (row.result == result) return row.name;
  return "";
}

std::optional<WriteResult> ResultNamed(std::string_view name) {
  for (const ResultRow& row : kResults)
    if (name == row.name) return row.result;
  return std::nullopt;
}
