#include "readers/reader.h"

#include "console/console.h"

const char* const kChannelNames[9] = {"通道一", "通道二", "通道三", "通道四", "通道五",
                                      "通道六", "通道七", "通道八", "通道九"};

bool AcceptsByVersion(const uint8_t* reply) { return Word(reply, 0) <= 9999; }

void RunReader(OperationContext& ctx, const ReaderModel& model) {
  if (model.run) {
    model.run(ctx, model);
    return;
  }
  ExchangeParams params;
  params.replyLength = 5u + 2u * model.count;
  params.request = [&](int station) {
    BuildReadRequest(ctx.tx, static_cast<uint8_t>(station), model.start, model.count);
    return true;
  };
  ExchangeResult result = RunExchange(ctx, params);
  if (!result.ok()) return;
  if (model.accepts && !model.accepts(ctx.rx.bytes)) {
    // The pane keeps the request section; the reply is discarded with the report.
    ctx.console.showInfo(msg::kUnsupportedModel);
    return;
  }
  model.format(result.report, ctx.rx.bytes);
  ctx.console.setPaneText(result.report);
}
