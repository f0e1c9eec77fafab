#include "readers/reader.h"

#include "console/console.h"
#include "console/text.h"
#include "console/texts.h"

const TrText kChannelNames[9] = {TrNoop("readers", "通道一"), TrNoop("readers", "通道二"), TrNoop("readers", "通道三"), TrNoop("readers", "通道四"), TrNoop("readers", "通道五"),
                                      TrNoop("readers", "通道六"), TrNoop("readers", "通道七"), TrNoop("readers", "通道八"), TrNoop("readers", "通道九")};

std::string NumberedChannel(int n) {
  std::string name;
  appendf(name, Tr("readers", "%02d通道"), n);
  return name;
}

bool AcceptsByVersion(RegisterWords reply) { return Word(reply, 0) <= 9999; }

void ReaderModel::format(std::string& report, RegisterWords reply) const {
  ReportBuilder builder(report);
  decode(builder, reply);
}

std::vector<Quantity> ReaderModel::decodeInto(std::string& report, RegisterWords reply) const {
  std::vector<Quantity> quantities;
  ReportBuilder builder(report, &quantities);
  decode(builder, reply);
  return quantities;
}

void DecodeBlock(ReadOutcome& outcome, const ReaderModel& model, RegisterWords block) {
  if (model.accepts && !model.accepts(block)) {
    outcome.refused = true;
    return;
  }
  outcome.quantities = model.decodeInto(outcome.report, block);
}

ReadOutcome ReadModel(OperationContext& ctx, const ReaderModel& model, const StationInput& station) {
  if (model.read) return model.read(ctx, model, station);
  ExchangeParams params;
  params.replyPduLength = ReadReplyPduLength(model.count);
  params.request = [&](int to, Framing framing) {
    BuildReadRequest(ctx.tx, framing, static_cast<uint8_t>(to), model.start, model.count);
    return true;
  };
  ExchangeResult result = RunExchange(ctx, station, params);
  ReadOutcome outcome{result.error, false, result.station, std::move(result.report), {}};
  if (outcome.error == ExchangeError::kNone) DecodeBlock(outcome, model, WordsOf(ctx.rx));
  return outcome;
}

bool RunReader(OperationContext& ctx, const ReaderModel& model, const StationInput& station) {
  const ReadOutcome outcome = ReadModel(ctx, model, station);
  if (outcome.refused) {
    // The pane keeps the request section; the reply is discarded with the report.
    ctx.console.showInfo(msg::kUnsupportedModel);
    return false;
  }
  if (outcome.ok()) ctx.console.setPaneText(outcome.report);
  return outcome.ok();
}
