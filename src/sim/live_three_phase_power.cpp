// Live readings of the three-phase power module "3RX": currents and powers in
// hundredths (A, kVA, kW, kvar), voltages and frequencies in tenths.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live3RX(std::vector<uint16_t>& regs, std::mt19937& rng) {
  double totalS = 0, totalP = 0, totalQ = 0;
  for (int p = 0; p < 3; ++p) {
    const double amps = Wander(rng, regs[8 + p] / 100.0, 4.0 + 0.5 * p, 0.2 + 0.025 * p) + Noise(rng, 20) / 1000.0;
    const double volts = Wander(rng, regs[11 + p] / 10.0, 220.0, 2.2) + Noise(rng, 10) / 10.0;
    const double pf = 0.95 + Noise(rng, 10) / 1000.0;
    const double kva = amps * volts / 1000;
    const double kw = kva * pf;
    const double kvar = kva * std::sqrt(1 - pf * pf);
    totalS += kva;
    totalP += kw;
    totalQ += kvar;
    regs[8 + p] = Scaled(amps, 100);
    regs[11 + p] = Scaled(volts, 10);
    regs[14 + p] = Scaled(volts * std::sqrt(3.0), 10);
    regs[17 + p] = Scaled(kva, 100);
    regs[20 + p] = Scaled(kw, 100);
    regs[23 + p] = Scaled(kvar, 100);
    regs[26 + p] = Scaled(pf * 100, 100);  // printed as a percentage
    regs[33 + p] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[36 + p] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[39 + p] = 1;
    regs[42 + p] = 1;
  }
  regs[29] = Scaled(totalS, 100);
  regs[30] = Scaled(totalP, 100);
  regs[31] = Scaled(totalQ, 100);
  regs[32] = Scaled(totalP / totalS * 100, 100);
}
