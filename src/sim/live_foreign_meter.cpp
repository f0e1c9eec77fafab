// Live readings of another make's meter: raw words from register 72 on (voltage
// and current in its own units, then powers, factor and frequency).
#include "sim/live_values.h"
#include "sim/sim_models.h"

void LiveForeign(std::vector<uint16_t>& regs, std::mt19937& rng) {
  regs[72] = Count(Wander(rng, regs[72], 2200, 22) + Noise(rng, 5));
  regs[73] = Count(Wander(rng, regs[73], 250, 12) + Noise(rng, 3));
  regs[74] = 523;
  regs[75] = 172;
  regs[76] = 550;
  regs[77] = 950;
  regs[78] = static_cast<uint16_t>(5000 + Noise(rng, 2));
}
