#include "modbus/register_tools.h"

#include "console/console.h"

void ReadRegisters(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
void WriteRegister(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
void WriteRegisters(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
