#pragma once
// Small helpers the live fillers share to turn plausible readings into register
// words the way the modules store them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

// A whole number in [-spread, spread], so readings wander a little between replies.
inline int Noise(std::mt19937& rng, int spread) {
  return std::uniform_int_distribution<int>(-spread, spread)(rng);
}

// A reading that wanders slowly about `nominal`, never further than `spread`: it
// goes on from the value the module showed last (`previous`, read back from its
// registers), is pulled a little towards nominal and takes a small random step,
// so a trend plot moves like a real load over a minute or so. A previous value
// outside the band (the first fill, a fixed word) starts again from nominal.
inline double Wander(std::mt19937& rng, double previous, double nominal, double spread) {
  if (!(std::fabs(previous - nominal) <= spread)) previous = nominal;
  const double step = std::uniform_real_distribution<double>(-0.08, 0.08)(rng) * spread;
  return std::clamp(nominal + 0.97 * (previous - nominal) + step, nominal - spread, nominal + spread);
}

// A signed 16-bit value as the word the module sends (two's complement).
inline uint16_t Raw(long value) { return static_cast<uint16_t>(static_cast<int16_t>(value)); }

// A reading already in the module's unit, rounded to an unsigned word.
inline uint16_t Count(double value) { return static_cast<uint16_t>(std::lround(value)); }

// A signed reading in plain units stored as value * scale (10 for tenths, 100 for
// hundredths).
inline uint16_t Scaled(double value, double scale) { return Raw(std::lround(value * scale)); }

// Words k and k+1, high first, as the modules' signed 32-bit counters and totals;
// the energy counters read back what they hold so they keep counting.
inline int32_t Pair(const std::vector<uint16_t>& regs, int k) {
  return static_cast<int32_t>(static_cast<uint32_t>(regs[k]) << 16 | regs[k + 1]);
}
inline void PutPair(std::vector<uint16_t>& regs, int k, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  regs[k] = static_cast<uint16_t>(bits >> 16);
  regs[k + 1] = static_cast<uint16_t>(bits & 0xFFFF);
}
