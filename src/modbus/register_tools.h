#pragma once
#include "modbus/exchange.h"

// Generic read and write tools with annotated frames.
void ReadRegisters(OperationContext& ctx);
void WriteRegister(OperationContext& ctx);
void WriteRegisters(OperationContext& ctx);
