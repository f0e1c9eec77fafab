#include "config/comm_reset.h"

#include <cstring>

#include "console/console.h"
#include "console/text.h"
#include "link/link.h"
#include "modbus/config_word.h"
#include "console/texts.h"

namespace {

constexpr TrText kResetWarning = TrNoop("config", "继续操作将修改所有从站数据，并重置波特率/站号！\r\n"
    "总线上的所有模块都将变为站号 1、9600 N,8,1，约需 15 秒。");
constexpr TrText kOpening = TrNoop("config", "正在尝试复位模块站号/波特率，请耐心等待...\r\n\r\n");
// The first line break is a bare line feed, as the window has always shown it.
constexpr TrText kAttemptFormat = TrNoop("config", "正在尝试波特率：%d=%6dBPS。\n校验值号：%d=%s。\r\n");
constexpr TrText kConfirming = TrNoop("config", "\r\n正在尝试确认重置结果，请稍后...\r\n");
constexpr TrText kNoConfirmation = TrNoop("config", "通讯错误！");
constexpr TrText kBadConfirmation = TrNoop("config", "数据错误！");
constexpr TrText kNotOverTcp = TrNoop("config", "通过网络串口服务器（TCP）连接时无法进行通信重置：请在服务器上设置串口参数，或直接连接串口。");

// The journal's word for a scan that ended where the port would not open again.
constexpr TrText kReopenFailed = TrNoop("config", "串口无法重新打开");

constexpr uint16_t kStation1At9600N81 = 0x0001;
constexpr ModuleLine kStation1At9600N81Line{3, 0, 1};
constexpr int kAttempts = 32;
constexpr int kSteps = kAttempts + 1;  // the confirmation is the last step
constexpr int kBeforeConfirmMs = 2500;

// Paired as every other exchange pairs them: a missing, short or foreign reply
// is a communication error, a reply that fails its CRC a data error; then
// what came.
std::string ConfirmationFailureBox(const Transfer& t, const LinkState& link) {
  switch (t.error) {
    case ExchangeError::kWriteFailed: return msg::kWriteFailed;
    case ExchangeError::kReadFailed: return msg::kReadFailed;
    case ExchangeError::kBadCrc: return kBadConfirmation + FactLine(t, link, 1);
    default: return kNoConfirmation + FactLine(t, link, 1);
  }
}

// Closes the port and opens it again at the link's current settings.
bool Reopen(OperationContext& ctx) {
  ClosePort(ctx.link, ctx.console);
  return OpenPort(ctx.link, ctx.port, ctx.console) == 0;
}

}  // namespace

void CommReset(OperationContext& ctx) {
  Console& console = ctx.console;
  LinkState& link = ctx.link;
  console.setPaneText("");
  std::memset(ctx.rx.bytes, 0, sizeof ctx.rx.bytes);
  if (!RequirePortOpen(ctx)) return;
  // The scan works by changing the line, which a serial server sets on its own side.
  if (!ConsoleSetsTheLine(link)) {
    console.showInfo(kNotOverTcp);
    return;
  }
  if (!console.askCautiousWarning(kResetWarning)) return;

  std::string report = kOpening;
  console.setPaneText(report);

  // The enable broadcast has its own buffer so TxFrame keeps the reset broadcast.
  TxFrame enable;
  BuildWriteRegisterRequest(enable, Framing::kRtu, 0, kConfigRegister, kWriteEnableWord);
  BuildWriteRegisterRequest(ctx.tx, Framing::kRtu, 0, kConfigRegister, kStation1At9600N81);
  // One entry for the whole scan: it goes out on every line the loop tries.
  JournalEntry entry = JournalEntryOf(ctx, "reset-scan");
  entry.baudRate = 0;
  entry.lineFormat.clear();
  if (!BeginJournalEntry(ctx, entry)) return;
  auto stopped = [&](ExchangeError error, const char* fact) { EndJournalEntry(ctx, error, fact); };

  int done = 0;
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 4; ++j) {
      console.lineSettingsChanged(i, j);
      link.baudRate = kBaudRates[i];
      link.lineFormat = j;
      appendf(report, kAttemptFormat, i + 1, kBaudRates[i], j, kLineFormats[j].text);
      console.setPaneText(report);

      if (!Reopen(ctx)) return stopped(ExchangeError::kWriteFailed, kReopenFailed);  // OpenPort has shown its box
      // Broadcasts are waited out by the rule of every broadcast.
      const int pauseMs = BroadcastPauseMs(8, kBaudRates[i], kLineFormats[j]);
      if (!SendFrame(ctx.port, enable.bytes, enable.length)) {
        console.showInfo(msg::kWriteFailed);
        return stopped(ExchangeError::kWriteFailed, "");
      }
      console.pause(pauseMs);
      if (!SendFrame(ctx.port, ctx.tx.bytes, ctx.tx.length, &ctx.tx.length)) {
        console.showInfo(msg::kWriteFailed);
        return stopped(ExchangeError::kWriteFailed, "");
      }
      console.pause(pauseMs);
      console.progress(++done, kSteps);
    }
  }

  report += kConfirming;
  console.setPaneText(report);
  console.pause(kBeforeConfirmMs);

  BuildWriteRegisterRequest(ctx.tx, Framing::kRtu, 1, kConfigRegister, kStation1At9600N81);
  console.lineSettingsChanged(3, 0);
  link.baudRate = 9600;
  link.lineFormat = 0;
  if (!Reopen(ctx)) return stopped(ExchangeError::kWriteFailed, kReopenFailed);

  const Transfer t = SendAndReceive(link, ctx.port, ctx.tx, ctx.rx, kWriteReplyPduLength);
  console.progress(kSteps, kSteps);
  if (t.error != ExchangeError::kNone) {
    console.showInfo(ConfirmationFailureBox(t, link));
    return stopped(t.error, t.fact.c_str());
  }

  report += Tr("config", "\r\n十六进制显示接收数据：\r\n");
  AppendHexDump(report, ctx.rx.bytes, ctx.rx.count, 0);
  console.setPaneText(report);
  EndJournalEntry(ctx, ExchangeError::kNone, "");
  console.showMovedNotice(msg::kResetDone, kStation1At9600N81Line);
}
