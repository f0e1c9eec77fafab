// Live readings of the four-channel module "4SXY": currents in hundredths (or
// five-hundredths, by version and word 5) of an ampere, voltages in hundredths of
// a volt, powers in VA and W.
#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live4SXY(std::vector<uint16_t>& regs, std::mt19937& rng) {
  const unsigned version = regs[0];
  const bool lowByteSet = (regs[5] & 0xFF) != 0;
  const int divisor = version < 300 ? 500 : version < 410 ? 100 : lowByteSet ? 500 : 100;
  for (int n = 1; n <= 4; ++n) {
    const int base = 8 * n;
    const double amps = Wander(rng, static_cast<double>(regs[base]) / divisor, 1.5 + 0.5 * n, 0.1 + 0.025 * n) +
                        Noise(rng, 20) / 1000.0;
    const double volts = Wander(rng, regs[base + 1] / 100.0, 220.0, 2.2) + Noise(rng, 50) / 100.0;
    regs[base] = static_cast<uint16_t>(amps * divisor + 0.5);
    regs[base + 1] = static_cast<uint16_t>(volts * 100 + 0.5);
    regs[base + 2] = static_cast<uint16_t>(amps * volts + 0.5);
    regs[base + 3] = static_cast<uint16_t>(static_cast<int16_t>(amps * volts * 0.95 + 0.5));
  }
}
