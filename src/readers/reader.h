#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "modbus/exchange.h"
#include "readers/report.h"

struct ReaderModel;

// What reading a model gave, before anything is shown: the step a monitor runs
// quietly, and the one the model buttons finish with a box or the pane.
struct ReadOutcome {
  // kNone when a reply was read; a failed exchange has shown its box on the
  // context's console.
  ExchangeError error = ExchangeError::kNone;
  bool refused = false;  // a sound reply from a module the model check refuses
  int station = 0;
  std::string report;    // the pane text: request, reply and decoded lines
  std::vector<Quantity> quantities;  // the decoded lines as values
  bool ok() const { return error == ExchangeError::kNone && !refused; }
};

// A model reader: data plus a decoder, run by the common reader procedure.
// Its name, button and simulated module are in the model registry.
struct ReaderModel {
  uint16_t start;  // first register of the block
  uint16_t count;  // registers in the block
  // Model acceptance on the reply; null accepts every module.
  bool (*accepts)(RegisterWords reply);
  // Writes the decoded lines and their quantities; word k of the block is Word(reply, k).
  void (*decode)(ReportBuilder& report, RegisterWords reply);
  // A reader with its own exchanges (several requests); null for the common one.
  ReadOutcome (*read)(OperationContext& ctx, const ReaderModel& model, const StationInput& station) = nullptr;

  // Appends the decoded lines only.
  void format(std::string& report, RegisterWords reply) const;
  // Appends the decoded lines and returns their quantities.
  std::vector<Quantity> decodeInto(std::string& report, RegisterWords reply) const;
};

// The names that head the channel blocks of the power and nine-channel readers.
extern const TrText kChannelNames[9];
// "01通道": how the current modules' lines name channel n.
std::string NumberedChannel(int n);

// Word 0 is the program version; above 9999 the module is refused.
bool AcceptsByVersion(RegisterWords reply);

// Exchange, acceptance and decoding, without the model's box or the pane.
ReadOutcome ReadModel(OperationContext& ctx, const ReaderModel& model, const StationInput& station);
// Judges and decodes a block read whole: the outcome's refusal, lines and values.
void DecodeBlock(ReadOutcome& outcome, const ReaderModel& model, RegisterWords block);

// A model button: ReadModel, then the refusal box or the report in the pane;
// true when the module answered as the model does.
bool RunReader(OperationContext& ctx, const ReaderModel& model, const StationInput& station);
