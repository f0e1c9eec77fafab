#include "config/comm_params.h"

#include "console/console.h"
#include "console/control_ids.h"
#include "console/text.h"
#include "link/link.h"

namespace {

constexpr const char* kBroadcastWarning = "当前站号0为广播站号，继续操作将修改所有从站数据！";
constexpr const char* kBadNewStation = "非法的新站号！";
constexpr const char* kBadParams = "非法的参数！";
constexpr const char* kConfirmFormat =
    "该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数：\r\n"
    "波特率号：%d=%dBPS。\r\n校验值号：%d=%s。\r\n模块站号：%d。";
constexpr uint16_t kConfigRegister = 3;

}  // namespace

std::optional<int> BaudNumberOfIndex(int baudIndex) {
  if (baudIndex < 0 || baudIndex > 7) return std::nullopt;
  return baudIndex == 3 ? 0 : baudIndex + 1;
}

std::optional<uint16_t> CommParamsWord(int baudIndex, int formatIndex, int station) {
  const std::optional<int> baudNumber = BaudNumberOfIndex(baudIndex);
  if (!baudNumber || formatIndex < 0 || formatIndex > 3 || station < 0 || station > 255) {
    return std::nullopt;
  }
  return static_cast<uint16_t>(formatIndex << 12 | *baudNumber << 8 | station);
}

void ChangeCommParams(OperationContext& ctx) {
  Console& console = ctx.console;
  ExchangeParams params;
  params.replyLength = 8;
  params.minStation = 0;
  params.replyTrailer = "";
  params.request = [&](int station) {
    if (station == 0 && !console.askWarning(kBroadcastWarning)) return false;
    const int32_t newStation = ParseDecimal(console.fieldText(ids::kNewStation));
    if (newStation < 1 || newStation > 255) {
      console.showInfo(kBadNewStation);
      return false;
    }
    // The combo boxes only produce indices inside their lists; anything else
    // (no selection) is refused rather than packed into a word.
    const std::optional<uint16_t> word =
        CommParamsWord(ctx.link.newBaudIndex, ctx.link.newLineFormat, newStation);
    if (!word) {
      console.showInfo(kBadParams);
      return false;
    }
    const int b = *word >> 8 & 0x0F;
    const int f = *word >> 12 & 0x0F;
    std::string confirm;
    appendf(confirm, kConfirmFormat, b, b == 0 ? 9600 : kBaudRates[b - 1], f, kLineFormats[f].text,
            *word & 0xFF);
    if (!console.askWarning(confirm)) return false;
    BuildWriteRegisterRequest(ctx.tx, static_cast<uint8_t>(station), kConfigRegister, *word);
    return true;
  };
  const ExchangeResult result = RunExchange(ctx, params);
  if (!result.ok) return;
  console.setPaneText(result.report);
  console.showInfo(msg::kCommParamsSet);
}
