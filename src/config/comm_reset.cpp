#include "config/comm_reset.h"

#include "console/console.h"

void CommReset(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
