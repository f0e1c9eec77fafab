#pragma once
#include <cstdint>

// Table-driven Modbus CRC-16. The high byte of the result is the first CRC byte
// of a frame (the usual numeric CRC with its bytes swapped).
uint16_t ModbusCrc16(const uint8_t* data, uint16_t length);
