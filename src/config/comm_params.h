#pragma once
#include "modbus/exchange.h"

// Writes the new baud rate, format and station (edit 1039) into register 3 of the
// module in edit 1006. The link's own settings and the open port stay as they are.
void ChangeCommParams(OperationContext& ctx);
