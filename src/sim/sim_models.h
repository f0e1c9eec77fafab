#pragma once
// What the simulated bus knows of each model: the size of its register file and
// how plausible live readings are laid out in it.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

struct SimModel {
  const char* name;        // a name of the command line's model list
  uint16_t registerCount;  // registers 0 .. registerCount-1 exist
  // Writes identity words (version or model code, ranges, date) once.
  void (*fillIdentity)(std::vector<uint16_t>& regs);
  // Writes live readings (about 220 V, a few amperes, 50 Hz, small noise).
  void (*fillLive)(std::vector<uint16_t>& regs, std::mt19937& rng);
};

const SimModel* FindSimModel(std::string_view name);
// Every model, in the order of the command line's model list.
const SimModel* AllSimModels(size_t& count);

// Live fillers. A family's own filler lives in src/sim/live_<family>.cpp, is
// declared here and named on that model's line of the table in sim_models.cpp.
void FillGenericLive(std::vector<uint16_t>& regs, std::mt19937& rng);
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
