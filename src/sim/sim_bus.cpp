#include "sim/sim_bus.h"
