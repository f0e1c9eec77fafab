#pragma once
// What the write journal is told: each frame that changes a module, before it
// goes, and how it ended. The file behind it is src/journal's; an operation
// given no journal journals nothing.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include "console/texts.h"

// One write as it is about to go.
struct JournalEntry {
  std::string operation;  // "write-register", "allow-write", "reset-scan", ...
  std::string port;
  int baudRate = 0;        // 0 and
  std::string lineFormat;  // empty where the far end sets the line (TCP); else "N,8,1"
  int station = 0;         // 0: a broadcast
  std::string model;       // the model last read at the station, when one was
  uint16_t start = 0;
  std::vector<uint16_t> values;
  std::optional<std::vector<uint16_t>> before;  // the words read just before
  std::string beforeProblem;  // why that read gave nothing, when it was tried
};

// How a journalled write ended.
enum class WriteResult {
  kConfirmed,   // the module echoed the write
  kMismatch,    // a sound frame that does not answer the write
  kException,   // the module refused it
  kNoReply,
  kBroadcast,   // station 0: nobody answers
  kCorrupt,     // a short reply, or one that fails its CRC
  kSendFailed,  // the port did not take the frame
  kPortFailed,  // the port failed while the reply was awaited
};
struct WriteOutcome {
  WriteResult result = WriteResult::kConfirmed;
  std::string fact;  // what came, when there is more to say
};

// "confirmed", "no-reply", ...: the names the file and the listing use.
const char* ResultName(WriteResult result);
std::optional<WriteResult> ResultNamed(std::string_view name);

class WriteJournal {
 public:
  virtual ~WriteJournal() = default;
  // Records the entry before its frame goes; false with *problem when the
  // journal cannot be written, and the frame must then stay unsent.
  virtual bool begin(const JournalEntry& entry, std::string* problem) = 0;
  // Completes the entry begun last; false with *problem when that fails (the
  // entry then stays unfinished on disk).
  virtual bool end(const WriteOutcome& outcome, std::string* problem) = 0;

  // The model a read found at a station, for the entries that follow.
  void noteModel(int station, const std::string& model) { models_[station] = model; }
  std::string modelAt(int station) const {
    const auto found = models_.find(station);
    return found == models_.end() ? std::string() : found->second;
  }

 private:
  std::map<int, std::string> models_;
};

// The write is refused when the journal cannot take it, and the box says so.
inline constexpr TrText kJournalUnwritable = TrNoop("modbus", "写操作日志无法写入，未发送写命令：\r\n");
inline constexpr TrText kJournalEndLost = TrNoop("modbus", "写操作日志无法记录写入结果：\r\n");
