#include "sim/sim_models.h"

namespace {

constexpr uint16_t kVersion = 700;
constexpr uint16_t kFactoryDate = 0x1605;

}  // namespace

// Word 0 version, 1-2 ranges, 4 factory date: the common header of most models.
void IdentityVersioned(std::vector<uint16_t>& regs) {
  regs[0] = kVersion;
  regs[1] = 5;
  regs[2] = 250;
  regs[4] = kFactoryDate;
}

// Current-only modules carry two current ranges and signal settings in 6 and 7.
void IdentityCurrentModule(std::vector<uint16_t>& regs) {
  IdentityVersioned(regs);
  regs[2] = 5;
  regs[6] = 10;
  regs[7] = 0x3C02;
}

void IdentityPowerModule(std::vector<uint16_t>& regs) {
  IdentityVersioned(regs);
  regs[6] = 10;
  regs[7] = 0x3C02;
}

void IdentityAcDc(std::vector<uint16_t>& regs) {
  IdentityPowerModule(regs);
  regs[9] = 60;
  regs[11] = 0x0102;
}

void Identity4SXY(std::vector<uint16_t>& regs) {
  IdentityVersioned(regs);
  regs[5] = 0;  // low byte 0: currents in hundredths
  for (int n = 1; n <= 4; ++n) {
    regs[8 * n + 4] = 1;
    regs[8 * n + 5] = 1;
  }
}

// The three-phase module names itself by a model code and keeps its version next.
void Identity3SXY(std::vector<uint16_t>& regs) {
  regs[0] = 21133;
  regs[1] = kVersion;
  regs[2] = kFactoryDate;
  regs[4] = 5;
  regs[5] = 250;
}

void IdentityNone(std::vector<uint16_t>&) {}
