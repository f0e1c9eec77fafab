// Live readings of the four-channel power module "4RXY": currents and powers in
// hundredths (A, kVA, kW, kvar), voltages and frequencies in tenths.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live4RXY(std::vector<uint16_t>& regs, std::mt19937& rng) {
  for (int c = 0; c < 4; ++c) {
    const double amps = Wander(rng, regs[8 + c] / 100.0, 2.0 + 0.75 * c, 0.1 + 0.04 * c) + Noise(rng, 20) / 1000.0;
    const double volts = Wander(rng, regs[12 + c] / 10.0, 220.0, 2.2) + Noise(rng, 10) / 10.0;
    const double pf = 0.93 + 0.01 * c + Noise(rng, 5) / 1000.0;
    const double kva = amps * volts / 1000;
    regs[8 + c] = Scaled(amps, 100);
    regs[12 + c] = Scaled(volts, 10);
    regs[16 + c] = Scaled(kva, 100);
    regs[20 + c] = Scaled(kva * pf, 100);
    regs[24 + c] = Scaled(kva * std::sqrt(1 - pf * pf), 100);
    regs[28 + c] = Scaled(pf * 100, 100);  // printed as a percentage
    regs[32 + c] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[36 + c] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[40 + c] = 1;
    regs[44 + c] = 1;
  }
}
