#include "config/write_protection.h"

#include "console/console.h"

void AllowWrite(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
void ForbidWrite(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
