#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/checked.h"
#include "console/console.h"
#include "link/link.h"
#include "modbus/frames.h"
#include "modbus/write_journal.h"
#include "console/texts.h"

// What an operation works with: the window it runs in and the process-wide state.
struct OperationContext {
  Console& console;
  LinkState& link;
  SerialPort& port;  // the device OpenPort opens (the scan reopens it)
  TxFrame& tx;
  RxFrame& rx;
  WriteJournal* journal = nullptr;  // every write goes in it first, when set
  bool readBeforeWrite = false;     // the register tools journal the words they replace

  // The same state and journal, run with another console.
  OperationContext withConsole(Console& other) const { return {other, link, port, tx, rx, journal, readBeforeWrite}; }
};

namespace msg {
inline constexpr TrText kPortNotOpen = TrNoop("modbus", "串口未打开!");
inline constexpr TrText kBadStation = TrNoop("modbus", "非法的站号！");
inline constexpr TrText kWriteFailed = TrNoop("modbus", "写串口失败!");
inline constexpr TrText kReadFailed = TrNoop("modbus", "读串口失败!");
inline constexpr TrText kNoReply = TrNoop("modbus", "通讯错误或设备型号不兼容！");
inline constexpr TrText kBadCrc = TrNoop("modbus", "数据错误");
inline constexpr TrText kUnsupportedModel = TrNoop("modbus", "不支持的设备型号！");
// The two boxes that report success rather than an error (Console::showNotice).
inline constexpr TrText kCommParamsSet = TrNoop("modbus", "通讯参数设置成功！");
inline constexpr TrText kResetDone = TrNoop("modbus", "重置成功！站号：01，波特率：9600，N，8，1");
// A write to station 0: no module answers a broadcast.
inline constexpr TrText kBroadcastSent = TrNoop("modbus", "已广播，广播命令无应答。");
// Third line of a write's box when the module answers exception 01.
inline constexpr TrText kMaybeProtected = TrNoop("modbus", "写保护可能已开启：先按“允许写操作”");
// Second line of a refusal of a field left empty, after the field's name.
inline constexpr TrText kNotFilled = TrNoop("modbus", "未填写。");
}  // namespace msg

// How an exchange ended. The box of each failure is BoxTextOf's.
enum class ExchangeError {
  kNone,
  kPortNotOpen,
  kBadStation,
  kRequestRefused,  // the operation's own check refused, or its warning was cancelled
  kWriteFailed,
  kReadFailed,      // the port failed (device gone), not a time-out
  kNoReply,         // nothing arrived in time
  kShortReply,      // fewer bytes than expected
  kException,       // a complete exception frame
  kBadCrc,
  kMismatch,        // a sound frame that does not answer the request
  kBroadcast,       // sent to station 0, which awaits no reply; shown as a notice
  kNotJournalled,   // the journal could not take the write, so it was not sent
};
// The first line of a failure's box (kRequestRefused has shown its own).
const char* BoxTextOf(ExchangeError error);

// How one request and its reply went, with what came in words for the box's
// second line ("无应答（等待 1025 ms）", "收到 12 / 85 字节", a mismatch...).
struct Transfer {
  ExchangeError error = ExchangeError::kNone;
  std::string fact;
};

// How the open port frames requests: MBAP on a Modbus TCP connection, RTU on
// a serial line and through a serial server.
Framing FramingOf(const LinkState& link);

// Sends TxFrame and reads a reply carrying a PDU of replyPduLength bytes into
// RxFrame: first waiting for a quiet line if the last reply went wrong, then
// judging length, exception, envelope (CRC, MBAP header) and whether the reply
// answers the request. Shows nothing.
Transfer SendAndReceive(LinkState& link, SerialPort& port, TxFrame& tx, RxFrame& rx,
                        uint32_t replyPduLength);
// "站号 1，9600 N,8,1": where a request went, for the second line of a box.
std::string WhereText(const LinkState& link, int station);
// "\r\n" + what came + "；" + where it was asked; empty when nothing is known
// beyond the first line (a port that failed).
std::string FactLine(const Transfer& t, const LinkState& link, int station);

inline constexpr TrText kRequestTitle = TrNoop("modbus", "十六进制显示发送数据：\r\n");
inline constexpr TrText kReplyHeader = TrNoop("modbus", "\r\n\r\n十六进制显示接收数据：\r\n");

// How a write is journalled: its name, and what the tool read before it.
struct JournalNote {
  const char* operation = "write";
  std::optional<std::vector<uint16_t>> before;
  std::string beforeProblem;
};

struct ExchangeParams {
  // The PDU length of a whole reply. Read after the request step, so a step
  // that learns it from its own inputs (the register read tool) may set it there.
  uint32_t replyPduLength = 0;
  // Given the validated station and the link's framing: checks the operation's
  // own inputs (stopping with its own box, or on Cancel, by returning false)
  // and builds TxFrame.
  std::function<bool(int station, Framing framing)> request;
  int minStation = 1;  // 0 for operations that may broadcast
  // Starts the report; by default the title and "%02X " per request byte.
  std::function<void(std::string& report, const TxFrame& tx)> requestDisplay;
  // Replaces header, dump and trailer when set (annotated layouts).
  std::function<void(std::string& report, const RxFrame& rx)> replyDisplay;
  std::string replyHeader = kReplyHeader;
  int dumpLineWidth = 24;
  std::string replyTrailer = "\r\n\r\n";
  JournalNote journal;
};

struct ExchangeResult {
  ExchangeError error = ExchangeError::kNone;  // kBroadcast has shown its notice
  int station = 0;
  std::string report;  // request and reply sections, when ok
  bool ok() const { return error == ExchangeError::kNone; }
};

// The station field as the form model read it: 0-255, or its refusal box.
using StationInput = Checked<int>;

// True when a port is open; otherwise shows 串口未打开! and is false.
bool RequirePortOpen(OperationContext& ctx);

// Clear the pane, check port and station, build, show, send, read, check, dump.
ExchangeResult RunExchange(OperationContext& ctx, const StationInput& station, const ExchangeParams& params);

// The part after the request is built: show it (appended to report), send it,
// read the reply, check it and append the reply section.
// Used by RunExchange and by operations that continue one report. A failure
// has shown its box and left the bytes that came under the request; a request
// to station 0 is sent, waited out and shown as broadcast.
ExchangeError TransactShown(OperationContext& ctx, std::string& report, const ExchangeParams& params);

// The journal's side of a write (nothing without a journal). The entry as the
// link and TxFrame describe it; begin shows why and is false when the journal
// refuses it, and the frame must then stay unsent; end says how it went.
JournalEntry JournalEntryOf(const OperationContext& ctx, const char* operation);
bool BeginJournalEntry(OperationContext& ctx, const JournalEntry& entry);
void EndJournalEntry(OperationContext& ctx, ExchangeError error, const std::string& fact);
WriteOutcome OutcomeOf(ExchangeError error, const std::string& fact);

// Clears the port's error state, purges both directions and writes the frame;
// the bytes the port took go to *written. A write taken only in part has not
// reached the module whole, so it fails like a refused one.
bool SendFrame(SerialPort& port, const uint8_t* bytes, uint32_t count, uint32_t* written = nullptr);

// "%02X " of each byte, with "\r\n" after every lineWidth-th.
void AppendHexDump(std::string& report, const uint8_t* bytes, size_t count, int lineWidth);

// The meaning of an exception code, as the exception line names it.
const char* ExceptionName(uint8_t code);
// What an exception PDU says: "异常响应：功能码 0x83，异常码 0x02（非法数据地址）".
std::string ExceptionLine(const uint8_t* pdu);

// Shows the refusal of a field the form model refused; true when it was accepted.
template <class T>
bool Accepted(Console& console, const Checked<T>& field);

template <class T>
bool Accepted(Console& console, const Checked<T>& field) {
  if (!field.ok()) console.showInfo(field.refusal);
  return field.ok();
}
