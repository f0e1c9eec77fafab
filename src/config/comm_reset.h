#pragma once
#include "modbus/exchange.h"

// Recovery scan: at every offered line setting, broadcast the write-enable
// command and the word for station 1, 9600, "N,8,1"; then confirm at 9600.
void CommReset(OperationContext& ctx);
