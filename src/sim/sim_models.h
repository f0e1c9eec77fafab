#pragma once
// What the simulated bus knows of each model: the size of its register file and
// how plausible live readings are laid out in it.
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

// A model's row in the model registry names its SimModel.
struct SimModel {
  uint16_t registerCount;  // registers 0 .. registerCount-1 exist
  // Writes identity words (version or model code, ranges, date) once.
  void (*fillIdentity)(std::vector<uint16_t>& regs);
  // Writes live readings (about 220 V, a few amperes, 50 Hz, small noise).
  void (*fillLive)(std::vector<uint16_t>& regs, std::mt19937& rng);
};

// Identity words shared by the families (sim_models.cpp).
void IdentityVersioned(std::vector<uint16_t>& regs);      // version, ranges, date
void IdentityCurrentModule(std::vector<uint16_t>& regs);  // plus signal settings
void IdentityPowerModule(std::vector<uint16_t>& regs);
void IdentityAcDc(std::vector<uint16_t>& regs);
void Identity4SXY(std::vector<uint16_t>& regs);
void Identity3SXY(std::vector<uint16_t>& regs);
void IdentityNone(std::vector<uint16_t>& regs);

// Live fillers. A family's own filler lives in src/sim/live_<family>.cpp, is
// declared here and named on that model's row of the model registry.
void Live4SXY(std::vector<uint16_t>& regs, std::mt19937& rng);
void LiveForeign(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live3SXY(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live8SXY(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live3RX(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live4RXY(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live4WX(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live16RXY(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live8RXYZ(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live12RX(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live10RX(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live5RXZ(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live5UZ(std::vector<uint16_t>& regs, std::mt19937& rng);
void Live9VXY(std::vector<uint16_t>& regs, std::mt19937& rng);
