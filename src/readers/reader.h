#pragma once
#include <cstdint>
#include <string>

#include "modbus/exchange.h"

// A model reader: data plus a formatter, run by the common reader procedure.
// Its name, button and simulated module are in the model registry.
struct ReaderModel {
  uint16_t start;  // first register of the block
  uint16_t count;  // registers in the block
  // Model acceptance on the reply; null accepts every module.
  bool (*accepts)(const uint8_t* reply);
  // Appends the decoded lines; word k of the block is Word(reply, k).
  void (*format)(std::string& report, const uint8_t* reply);
  // A reader with its own procedure (several exchanges); null for the common one.
  void (*run)(OperationContext& ctx, const ReaderModel& model) = nullptr;
};

// The names that head the channel blocks of the power and nine-channel readers.
extern const char* const kChannelNames[9];

// Word 0 is the program version; above 9999 the module is refused.
bool AcceptsByVersion(const uint8_t* reply);

// Exchange, acceptance, decoded lines, pane.
void RunReader(OperationContext& ctx, const ReaderModel& model);
