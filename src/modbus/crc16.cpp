#include "modbus/crc16.h"

#include <array>

namespace {

struct CrcTables {
  std::array<uint8_t, 256> h{};  // low byte of the reflected CRC of i
  std::array<uint8_t, 256> l{};  // its high byte
};

constexpr CrcTables BuildTables() {
  CrcTables t;
  for (unsigned i = 0; i < 256; ++i) {
    unsigned c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) ? (c >> 1) ^ 0xA001u : c >> 1;
    t.h[i] = static_cast<uint8_t>(c & 0xFFu);
    t.l[i] = static_cast<uint8_t>(c >> 8);
  }
  return t;
}

constexpr CrcTables kTables = BuildTables();
static_assert(kTables.h[1] == 0xC1 && kTables.l[1] == 0xC0);

}  // namespace

uint16_t ModbusCrc16(const uint8_t* data, uint16_t length) {
  uint8_t a = 0xFF;
  uint8_t b = 0xFF;
  for (uint16_t n = 0; n < length; ++n) {
    const uint8_t i = a ^ data[n];
    a = kTables.h[i] ^ b;
    b = kTables.l[i];
  }
  return static_cast<uint16_t>(a << 8 | b);
}
