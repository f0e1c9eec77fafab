#include "config/write_protection.h"

#include "console/console.h"
#include "modbus/config_word.h"
#include "console/texts.h"

namespace {
// The buttons word their station-0 warning unlike the register tool does.
constexpr TrText kStationZeroWarning = TrNoop("config", "当前站号为0，继续操作将修改所有从站数据！");
constexpr TrText kConfirmAllow = TrNoop("config", "该操作将允许模块寄存器的写功能");
constexpr TrText kConfirmForbid = TrNoop("config", "该操作将禁用模块寄存器的写功能");
}  // namespace

void SetWriteProtection(OperationContext& ctx, const StationInput& station, const char* confirmation,
                        uint16_t command) {
  ExchangeParams params;
  params.replyPduLength = kWriteReplyPduLength;
  params.minStation = 0;
  params.replyTrailer = "";
  params.journal.operation = command == kWriteEnableWord ? "allow-write" : "forbid-write";
  params.request = [&](int to, Framing framing) {
    if (to == 0 && !ctx.console.askCautiousWarning(kStationZeroWarning)) return false;
    if (!ctx.console.askCautiousWarning(confirmation)) return false;
    BuildWriteRegisterRequest(ctx.tx, framing, static_cast<uint8_t>(to), kConfigRegister, command);
    return true;
  };
  // The reply dump is the only sign of success.
  const ExchangeResult result = RunExchange(ctx, station, params);
  if (result.ok()) ctx.console.setPaneText(result.report);
}

void AllowWrite(OperationContext& ctx, const StationInput& station) {
  SetWriteProtection(ctx, station, kConfirmAllow, kWriteEnableWord);
}

void ForbidWrite(OperationContext& ctx, const StationInput& station) {
  SetWriteProtection(ctx, station, kConfirmForbid, kWriteDisableWord);
}
