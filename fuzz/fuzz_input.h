#pragma once
// The fuzzer's bytes read front to back as a stream of choices. Once they run
// out every choice reads as zero, which each user maps to its quietest outcome
// (a time-out, OK, a whole write), so a short input still ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }

  uint8_t byte() { return empty() ? 0 : data_[pos_++]; }

  uint16_t word() {
    const uint16_t high = byte();
    return static_cast<uint16_t>(high << 8 | byte());
  }

  // A value in [low, high], from as few bytes as the span needs.
  size_t range(size_t low, size_t high) {
    if (high <= low) return low;
    const size_t span = high - low + 1;
    const size_t raw = span <= 256 ? byte() : word();
    return low + raw % span;
  }

  void fill(uint8_t* out, size_t n) {
    for (size_t i = 0; i < n; ++i) out[i] = byte();
  }

  std::string text(size_t maxLength) {
    std::string s(range(0, maxLength), '\0');
    for (char& c : s) c = static_cast<char>(byte());
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// A broken invariant is a finding: say which and stop, so libFuzzer keeps the input.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code
// points past U+10FFFF): what a box, a trace or a log line must be.
inline bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const uint8_t c = static_cast<uint8_t>(text[i]);
    size_t more = 0;
    uint32_t cp = 0;
    if (c < 0x80) { ++i; continue; }
    if (c >= 0xC2 && c <= 0xDF) { more = 1; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { more = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { more = 3; cp = c & 0x07; }
    else return false;
    if (i + more >= text.size()) return false;  // cut short
    for (size_t k = 1; k <= more; ++k) {
      const uint8_t t = static_cast<uint8_t>(text[i + k]);
      if ((t & 0xC0) != 0x80) return false;
      cp = cp << 6 | (t & 0x3F);
    }
    if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += more + 1;
  }
  return true;
}
