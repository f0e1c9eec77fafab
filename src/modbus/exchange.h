#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "link/link.h"
#include "modbus/frames.h"

class Console;

// What an operation works with: the window it runs in and the process-wide state.
struct OperationContext {
  Console& console;
  LinkState& link;
  SerialPort& port;  // the device OpenPort opens (the scan reopens it)
  TxFrame& tx;
  RxFrame& rx;
};

namespace msg {
inline constexpr const char* kPortNotOpen = "串口未打开!";
inline constexpr const char* kBadStation = "非法的站号！";
inline constexpr const char* kWriteFailed = "写串口失败!";
inline constexpr const char* kReadFailed = "读串口失败!";
inline constexpr const char* kNoReply = "通讯错误或设备型号不兼容！";
inline constexpr const char* kBadCrc = "数据错误";
inline constexpr const char* kUnsupportedModel = "不支持的设备型号！";
// The two boxes that report success rather than an error (Console::showNotice).
inline constexpr const char* kCommParamsSet = "通讯参数设置成功！";
inline constexpr const char* kResetDone = "重置成功！站号：01，波特率：9600，N，8，1";
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
};
// The box text of a failure (kRequestRefused has shown its own); `rx` gives the
// exception line.
std::string BoxTextOf(ExchangeError error, const RxFrame& rx);

inline constexpr const char* kRequestTitle = "十六进制显示发送数据：\r\n";
inline constexpr const char* kReplyHeader = "\r\n\r\n十六进制显示接收数据：\r\n";

struct ExchangeParams {
  // N. Read after the request step, so a step that learns N from its own
  // inputs (the register read tool) may set it there.
  uint32_t replyLength = 0;
  // Given the validated station: checks the operation's own inputs (stopping
  // with its own box, or on Cancel, by returning false) and builds TxFrame.
  std::function<bool(int station)> request;
  int minStation = 1;  // 0 for operations that may broadcast
  // Starts the report; by default the title and "%02X " per request byte.
  std::function<void(std::string& report, const TxFrame& tx)> requestDisplay;
  // Replaces header, dump and trailer when set (annotated layouts).
  std::function<void(std::string& report, const RxFrame& rx)> replyDisplay;
  std::string replyHeader = kReplyHeader;
  int dumpLineWidth = 24;
  std::string replyTrailer = "\r\n\r\n";
};

struct ExchangeResult {
  ExchangeError error = ExchangeError::kNone;
  int station = 0;
  std::string report;  // request and reply sections, when ok
  bool ok() const { return error == ExchangeError::kNone; }
};

// Clear the pane, check port and station, build, show, send, read, check, dump.
ExchangeResult RunExchange(OperationContext& ctx, const ExchangeParams& params);

// The part after the request is built: show it (appended to report), send it,
// read params.replyLength bytes, check them and append the reply section.
// Used by RunExchange and by operations that continue one report. A failure
// has shown its box.
ExchangeError TransactShown(OperationContext& ctx, std::string& report, const ExchangeParams& params);

// Clears the port's error state, purges both directions and writes the frame;
// the bytes the port took go to *written. A write taken only in part has not
// reached the module whole, so it fails like a refused one.
bool SendFrame(SerialPort& port, const uint8_t* bytes, uint32_t count, uint32_t* written = nullptr);

// "%02X " of each byte, with "\r\n" after every lineWidth-th.
void AppendHexDump(std::string& report, const uint8_t* bytes, size_t count, int lineWidth);

// A read that stops as soon as a Modbus exception frame is complete.
bool IsCompleteExceptionFrame(const uint8_t* bytes, size_t count);
// The meaning of an exception code, as the exception line names it.
const char* ExceptionName(uint8_t code);
// The second line of the no-reply box for an exception frame.
std::string ExceptionLine(const uint8_t* frame);
