// Live readings of the AC/DC power module "4WX". Its fast and slow values are raw
// counts: currents in mA, voltages in hundredths of a volt, powers in VA/W; power
// factor in ten-thousandths, frequencies in tenths (fundamental) and hundredths.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live4WX(std::vector<uint16_t>& regs, std::mt19937& rng) {
  for (int c = 0; c < 4; ++c) {
    const double ma = Wander(rng, regs[24 + c], 2000 + 500 * c, 100 + 25 * c) + Noise(rng, 20);
    const double cv = Wander(rng, regs[28 + c], 22000, 220) + Noise(rng, 50);  // centivolts
    const double pf = 0.95 + Noise(rng, 10) / 1000.0;
    const double va = ma / 1000 * cv / 100;
    const long dcMa = Noise(rng, 5);
    const long dcCv = Noise(rng, 5);
    regs[24 + c] = Count(ma);
    regs[28 + c] = Count(cv);
    regs[32 + c] = Raw(dcMa);
    regs[36 + c] = Raw(dcCv);
    regs[40 + c] = Count(ma - dcMa);
    regs[44 + c] = Count(cv - dcCv);
    regs[48 + c] = Count(va);
    regs[52 + c] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[56 + c] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[60 + c] = Count(ma + Noise(rng, 2));
    regs[64 + c] = Count(cv + Noise(rng, 5));
    regs[68 + c] = Count(va);
    regs[72 + c] = Raw(std::lround(va * pf));
    regs[76 + c] = Raw(std::lround(pf * 10000));
    regs[80 + c] = static_cast<uint16_t>(5000 + Noise(rng, 3));
    // Energy counters only grow; they start from a plausible reading.
    const int32_t forward = Pair(regs, 84 + 2 * c);
    PutPair(regs, 84 + 2 * c, forward == 0 ? 123456 + 1000 * c : forward + 1);
    if (Pair(regs, 92 + 2 * c) == 0) PutPair(regs, 92 + 2 * c, 12 + c);
    regs[100 + c] = 10000;
    regs[104 + c] = 10000;
    regs[108 + c] = 10000;
    regs[112 + c] = 1;
    regs[116 + c] = 1;
  }
}
