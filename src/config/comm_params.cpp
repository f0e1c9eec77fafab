#include "config/comm_params.h"

#include "console/console.h"
#include "modbus/config_word.h"

namespace {

// Where the module answers once it took the word.
ModuleLine ModuleLineOf(const CommWord& word) {
  return ModuleLine{BaudIndexForNumber(word.baudNumber), word.formatNumber, word.station};
}

}  // namespace

void ChangeCommParams(OperationContext& ctx, const CommParamsRequest& request) {
  Console& console = ctx.console;
  ExchangeParams params;
  params.replyPduLength = kWriteReplyPduLength;
  params.minStation = 0;
  params.replyTrailer = "";
  params.journal.operation = "change-comm";
  params.request = [&](int station, Framing framing) {
    if (station == 0 && !console.askCautiousWarning(kBroadcastWarning)) return false;
    if (!Accepted(console, request.newWord)) return false;
    if (!console.askWarning(CommParamsConfirmation(*DecodeCommWord(*request.newWord)))) return false;
    BuildWriteRegisterRequest(ctx.tx, framing, static_cast<uint8_t>(station), kConfigRegister, *request.newWord);
    return true;
  };
  const ExchangeResult result = RunExchange(ctx, request.station, params);
  if (!result.ok()) return;
  console.setPaneText(result.report);
  console.showMovedNotice(msg::kCommParamsSet, ModuleLineOf(*DecodeCommWord(*request.newWord)));
}
