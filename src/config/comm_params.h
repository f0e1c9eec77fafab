#pragma once
#include "modbus/exchange.h"

void ChangeCommParams(OperationContext& ctx);
