// Live readings of the three-phase module "3SXY" (values in hundredths, powers in
// VA/W/var, 32-bit totals high word first).
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

namespace {

uint16_t Hundredths(double value) { return static_cast<uint16_t>(std::lround(value * 100)); }

}  // namespace

void Live3SXY(std::vector<uint16_t>& regs, std::mt19937& rng) {
  double totalS = 0, totalP = 0, totalQ = 0;
  for (int n = 1; n <= 3; ++n) {
    const int base = 24 * n;
    const double amps = Wander(rng, regs[base] / 100.0, 2.0 + 0.5 * n, 0.1 + 0.025 * n) + Noise(rng, 20) / 1000.0;
    const double volts = Wander(rng, regs[base + 1] / 100.0, 220.0, 2.2) + Noise(rng, 50) / 100.0;
    const double pf = 0.95 + Noise(rng, 10) / 1000.0;
    const double s = amps * volts;
    const double p = s * pf;
    const double q = s * std::sqrt(1 - pf * pf);
    totalS += s;
    totalP += p;
    totalQ += q;
    regs[base] = Hundredths(amps);
    regs[base + 1] = Hundredths(volts);
    regs[base + 2] = Hundredths(volts * std::sqrt(3.0));
    regs[base + 3] = static_cast<uint16_t>(std::lround(s));
    regs[base + 4] = static_cast<uint16_t>(std::lround(p));
    regs[base + 5] = static_cast<uint16_t>(std::lround(q));
    regs[base + 6] = Hundredths(pf * 100);  // printed as a percentage
    regs[base + 7] = static_cast<uint16_t>(150 + Noise(rng, 10));
    regs[base + 8] = static_cast<uint16_t>(320 + Noise(rng, 15));
    regs[base + 9] = static_cast<uint16_t>(80 + Noise(rng, 5));
    regs[base + 10] = static_cast<uint16_t>(120 + Noise(rng, 8));
    regs[base + 11] = 1;
    regs[base + 13] = 1;
  }
  PutPair(regs, 9, static_cast<int32_t>(std::lround(totalS)));
  PutPair(regs, 11, static_cast<int32_t>(std::lround(totalP)));
  PutPair(regs, 13, static_cast<int32_t>(std::lround(totalQ)));
  regs[15] = Hundredths(totalP / totalS * 100);
}
