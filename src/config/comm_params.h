#pragma once
#include <cstdint>

#include "modbus/exchange.h"
#include "console/texts.h"

// The new line settings and station, composed by the form model into the
// configuration word (refused with its own box when a field is refused).
struct CommParamsRequest {
  StationInput station;      // the module to change
  Checked<uint16_t> newWord;  // new baud rate, format and station
};

// Writes the new baud rate, format and station into register 3 of the module.
// The link's own settings and the open port stay as they are.
void ChangeCommParams(OperationContext& ctx, const CommParamsRequest& request);

// Refusals of the new settings.
inline constexpr TrText kBadNewStation = TrNoop("config", "非法的新站号！");
inline constexpr TrText kBadParams = TrNoop("config", "非法的参数！");
