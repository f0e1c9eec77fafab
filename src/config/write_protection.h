#pragma once
#include "modbus/exchange.h"

void AllowWrite(OperationContext& ctx);
void ForbidWrite(OperationContext& ctx);
