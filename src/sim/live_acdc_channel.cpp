// Live readings of the five-channel AC/DC module "5UZ": AC+DC, DC (signed) and AC
// values in hundredths of an ampere, frequencies in tenths of a hertz.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

void Live5UZ(std::vector<uint16_t>& regs, std::mt19937& rng) {
  for (int j = 0; j < 5; ++j) {
    // Channel 3 carries a DC part that flows the other way.
    const double dc = (j == 2 ? -1.2 : 0.4 * (j + 1)) + Noise(rng, 10) / 1000.0;
    const double ac = Wander(rng, regs[18 + j] / 100.0, 2.0 + 0.3 * j, 0.1) + Noise(rng, 20) / 1000.0;
    const double total = std::sqrt(dc * dc + ac * ac);  // the RMS of both parts
    regs[8 + j] = Raw(std::lround(total * 100));
    regs[13 + j] = Raw(std::lround(dc * 100));
    regs[18 + j] = Raw(std::lround(ac * 100));
    regs[23 + j] = static_cast<uint16_t>(500 + Noise(rng, 1));
    regs[28 + j] = 1;
  }
}
