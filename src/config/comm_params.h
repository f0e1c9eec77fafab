#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "modbus/exchange.h"

// The baud number the configuration word carries for an entry of kBaudRates:
// the 9600 entry travels as 0, the others as their position counted from 1.
// Nothing for an index outside the list.
std::optional<int> BaudNumberOfIndex(int baudIndex);

// Configuration word for a new baud entry, format and station; nothing when an
// index lies outside its list (a combo box without a selection).
std::optional<uint16_t> CommParamsWord(int baudIndex, int formatIndex, int station);

// Writes the new baud rate, format and station (edit 1039) into register 3 of the
// module in edit 1006. The link's own settings and the open port stay as they are.
void ChangeCommParams(OperationContext& ctx);
