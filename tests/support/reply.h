#pragma once
// A function-03 reply carrying the given words, with a correct CRC.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "modbus/frames.h"
#include "readers/reader.h"

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

// The register words of an RTU function-03 reply.
inline RegisterWords WordsIn(const std::vector<uint8_t>& reply) { return {reply.data() + 3}; }

// count words, zero except those given.
inline std::vector<uint16_t> WordsOf(size_t count, const std::map<int, uint16_t>& set) {
  std::vector<uint16_t> words(count, 0);
  for (const auto& [k, v] : set) words.at(static_cast<size_t>(k)) = v;
  return words;
}

// Words 0.. as a module's fixed registers (SimBus::setRegisters).
inline std::map<uint16_t, uint16_t> RegistersOf(const std::vector<uint16_t>& words) {
  std::map<uint16_t, uint16_t> regs;
  for (size_t k = 0; k < words.size(); ++k) regs[static_cast<uint16_t>(k)] = words[k];
  return regs;
}

// The lines a reader decodes from a reply carrying these words.
inline std::string ReportOf(const ReaderModel& reader, const std::vector<uint16_t>& words) {
  std::string report;
  reader.format(report, WordsIn(ReplyOf(words)));
  return report;
}
// The same for the reader's whole block, zero except the words given.
inline std::string ReportOfBlock(const ReaderModel& reader, const std::map<int, uint16_t>& set) {
  return ReportOf(reader, WordsOf(reader.count, set));
}
