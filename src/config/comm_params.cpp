#include "config/comm_params.h"

#include "console/console.h"

void ChangeCommParams(OperationContext& ctx) { ctx.console.showInfo("not available yet"); }
