// Live readings of the eight-channel current module "8SXY": currents in
// hundredths of an ampere, harmonic values as small raw numbers.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live8SXY(std::vector<uint16_t>& regs, std::mt19937& rng) {
  for (int g = 1; g <= 4; ++g) {
    const int base = 8 * g;
    // channels A-D, then E-H
    const double first = Wander(rng, regs[base] / 100.0, 1.0 + 0.5 * g, 0.05 * (1.0 + 0.5 * g)) +
                         Noise(rng, 20) / 1000.0;
    const double second = Wander(rng, regs[base + 1] / 100.0, 3.0 + 0.25 * g, 0.05 * (3.0 + 0.25 * g)) +
                          Noise(rng, 20) / 1000.0;
    regs[base] = static_cast<uint16_t>(std::lround(first * 100));
    regs[base + 1] = static_cast<uint16_t>(std::lround(second * 100));
    regs[base + 2] = static_cast<uint16_t>(3 + Noise(rng, 1));
    regs[base + 3] = static_cast<uint16_t>(static_cast<int16_t>(Noise(rng, 2)));
    regs[base + 4] = 1;
    regs[base + 5] = 1;
  }
}
