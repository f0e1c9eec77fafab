#pragma once
#include <cstdint>

#include "modbus/exchange.h"

// Writes a protection command into the configuration register after the
// station-0 warning and the button's confirmation.
void SetWriteProtection(OperationContext& ctx, const StationInput& station, const char* confirmation,
                        uint16_t command);

void AllowWrite(OperationContext& ctx, const StationInput& station);   // command 0x8000
void ForbidWrite(OperationContext& ctx, const StationInput& station);  // command 0xC000
