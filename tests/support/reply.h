#pragma once
// A function-03 reply carrying the given words, with a correct CRC.
#include <cstdint>
#include <map>
#include <vector>

#include "modbus/frames.h"

inline std::vector<uint8_t> ReplyOf(const std::vector<uint16_t>& words, uint8_t station = 1) {
  std::vector<uint8_t> reply{station, 0x03, static_cast<uint8_t>(2 * words.size())};
  for (uint16_t w : words) {
    reply.push_back(static_cast<uint8_t>(w >> 8));
    reply.push_back(static_cast<uint8_t>(w & 0xFF));
  }
  reply.resize(reply.size() + 2);
  PlaceCrc(reply.data(), static_cast<uint32_t>(reply.size() - 2));
  return reply;
}

// count words, zero except those given.
inline std::vector<uint16_t> WordsOf(size_t count, const std::map<int, uint16_t>& set) {
  std::vector<uint16_t> words(count, 0);
  for (const auto& [k, v] : set) words.at(static_cast<size_t>(k)) = v;
  return words;
}
