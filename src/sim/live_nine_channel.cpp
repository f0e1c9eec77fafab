// Live readings of the nine-channel module "9VX/Y": currents in mA, voltage in
// hundredths of a volt, powers in VA and W, power factors in ten-thousandths,
// fundamental frequencies in tenths and the voltage frequency in hundredths.
// The forward and reverse energy counters keep counting between replies.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live9VXY(std::vector<uint16_t>& regs, std::mt19937& rng) {
  const double volts = Wander(rng, regs[33] / 100.0, 220.0, 2.2) + Noise(rng, 50) / 100.0;
  for (int j = 0; j < 9; ++j) {
    const double slowMa = Wander(rng, regs[53 + j], 1000 + 400 * j, 50 + 20 * j) + Noise(rng, 5);
    const double fastMa = slowMa + Noise(rng, 20);
    // Channel 9 feeds energy back: negative power factor and active power.
    const double pf = (j == 8 ? -0.90 : 0.95) + Noise(rng, 30) / 10000.0;
    const double slowVa = volts * slowMa / 1000.0;
    regs[24 + j] = Count(fastMa);
    regs[34 + j] = Count(volts * fastMa / 1000.0);
    regs[43 + j] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[53 + j] = Count(slowMa);
    regs[63 + j] = Count(slowVa);
    regs[72 + j] = Raw(std::lround(slowVa * pf));
    regs[81 + j] = Raw(std::lround(pf * 10000));
    // Counters start from a plausible reading and then only grow.
    const int forward = 91 + 2 * j;
    const int reverse = 109 + 2 * j;
    if (Pair(regs, forward) == 0) PutPair(regs, forward, 120000 + 5000 * j);
    if (pf > 0) {
      PutPair(regs, forward, Pair(regs, forward) + 2 + Noise(rng, 1));
    } else {
      PutPair(regs, reverse, Pair(regs, reverse) + 2 + Noise(rng, 1));
    }
    regs[127 + j] = 1000;
    regs[137 + j] = 1000;
    regs[146 + j] = 1;
  }
  regs[33] = Count(volts * 100);
  regs[52] = static_cast<uint16_t>(500 + Noise(rng, 1));
  regs[62] = Count(volts * 100 + Noise(rng, 5));
  regs[90] = static_cast<uint16_t>(5000 + Noise(rng, 2));
  regs[136] = 1000;
  regs[155] = 1;
}
