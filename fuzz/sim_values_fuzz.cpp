// The simulator's values file (--values): the fuzzer's bytes are the file.
// Checked: the loader either returns the words or throws a runtime_error that
// names the file; a line longer than kMaxValuesLine is always refused; and the
// words it returns, written back as "register=value" lines, load as the same.
#include <cstdint>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

#include "fuzz_input.h"
#include "memory_file.h"
#include "sim/register_values.h"

namespace {

bool HasLongLine(const uint8_t* data, size_t size) {
  size_t length = 0;
  for (size_t i = 0; i < size; ++i) {
    length = data[i] == '\n' ? 0 : length + 1;
    if (length > kMaxValuesLine) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile file("values");
  file.hold(data, size);
  std::map<uint16_t, uint16_t> words;
  try {
    words = LoadRegisterValues(file.path());
  } catch (const std::runtime_error& e) {
    Require(std::string(e.what()).find(file.path()) != std::string::npos, "a refusal that does not name the file");
    return 0;
  }
  Require(!HasLongLine(data, size), "a line longer than the limit was accepted");

  std::string again;
  for (const auto& [address, word] : words) {
    // Both number forms, blanks and a comment, as a user writes them.
    char line[40];
    if (address % 2) std::snprintf(line, sizeof line, "0x%X=%u # odd\n", address, word);
    else std::snprintf(line, sizeof line, " %u = 0x%x\r\n", address, word);
    again += line;
  }
  file.hold(again);
  Require(LoadRegisterValues(file.path()) == words, "the words written back load otherwise");
  return 0;
}
