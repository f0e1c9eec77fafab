#include "config/comm_params.h"

#include <optional>

#include "console/console.h"
#include "console/control_ids.h"
#include "console/text.h"
#include "modbus/config_word.h"

namespace {
constexpr const char* kBadNewStation = "非法的新站号！";
constexpr const char* kBadParams = "非法的参数！";
}  // namespace

void ChangeCommParams(OperationContext& ctx) {
  Console& console = ctx.console;
  ExchangeParams params;
  params.replyLength = 8;
  params.minStation = 0;
  params.replyTrailer = "";
  params.request = [&](int station) {
    if (station == 0 && !console.askCautiousWarning(kBroadcastWarning)) return false;
    const std::string newStationText = console.fieldText(ids::kNewStation);
    if (IsBlank(newStationText)) {
      console.showInfo(std::string(kBadNewStation) + "\r\n新站号" + msg::kNotFilled);
      return false;
    }
    const int32_t newStation = ParseDecimal(newStationText);
    if (!IsAssignableStation(newStation)) {
      console.showInfo(std::string(kBadNewStation) + "\r\n" + kStationRange);
      return false;
    }
    // A combo box without a selection stores -1, which has no baud number; the
    // word then falls outside its fields and is refused below with the rest.
    const int64_t word =
        ComposeCommWord(BaudNumberForIndex(ctx.link.newBaudIndex), ctx.link.newLineFormat, newStation);
    const std::optional<CommWord> fields =
        (word >= 0 && word <= 0xFFFF) ? DecodeCommWord(static_cast<uint16_t>(word)) : std::nullopt;
    if (!fields) {
      console.showInfo(kBadParams);
      return false;
    }
    if (!console.askWarning(CommParamsConfirmation(*fields))) return false;
    BuildWriteRegisterRequest(ctx.tx, static_cast<uint8_t>(station), kConfigRegister,
                              static_cast<uint16_t>(word));
    return true;
  };
  const ExchangeResult result = RunExchange(ctx, params);
  if (!result.ok()) return;
  console.setPaneText(result.report);
  console.showNotice(msg::kCommParamsSet);
}
