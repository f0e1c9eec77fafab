// Live readings of the multi-channel current modules "16RX/Y", "8RX/Y/Z", "12RX",
// "10RX" and "5RX/Z": currents and fast values in hundredths of an ampere,
// frequencies in tenths of a hertz, transformer ratios as plain numbers.
#include <cmath>

#include "sim/live_values.h"
#include "sim/sim_models.h"

namespace {

// Arrays behind the 8-word header: currents, frequencies, [fast values,] ratios.
void FillCurrentChannels(std::vector<uint16_t>& regs, std::mt19937& rng, int channels,
                         bool fastValues) {
  const int n = channels;
  for (int c = 1; c <= n; ++c) {
    const double nominal = 1.0 + 0.25 * c;
    const double amps = Wander(rng, regs[7 + c] / 100.0, nominal, 0.05 * nominal) + Noise(rng, 20) / 1000.0;
    regs[7 + c] = Count(amps * 100);
    regs[7 + n + c] = static_cast<uint16_t>(500 + Noise(rng, 1));
    if (fastValues) regs[7 + 2 * n + c] = Count((amps + Noise(rng, 30) / 1000.0) * 100);
    regs[7 + (fastValues ? 3 : 2) * n + c] = 1;
  }
}

}  // namespace

void Live16RXY(std::vector<uint16_t>& regs, std::mt19937& rng) {
  FillCurrentChannels(regs, rng, 16, false);
}

void Live8RXYZ(std::vector<uint16_t>& regs, std::mt19937& rng) {
  FillCurrentChannels(regs, rng, 8, false);
}

void Live12RX(std::vector<uint16_t>& regs, std::mt19937& rng) {
  FillCurrentChannels(regs, rng, 12, false);
}

void Live10RX(std::vector<uint16_t>& regs, std::mt19937& rng) {
  FillCurrentChannels(regs, rng, 10, true);
}

void Live5RXZ(std::vector<uint16_t>& regs, std::mt19937& rng) {
  FillCurrentChannels(regs, rng, 5, false);
}

