#pragma once
#include "modbus/exchange.h"

void CommReset(OperationContext& ctx);
