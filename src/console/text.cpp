#include "console/text.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <limits>

void appendf(std::string& out, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (length > 0) {
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(length) + 1);
    std::vsnprintf(out.data() + start, static_cast<size_t>(length) + 1, fmt, args);
    out.resize(start + static_cast<size_t>(length));
  }
  va_end(args);
}

int32_t ParseDecimal(const std::string& text) {
  size_t i = 0;
  // Blanks as the C runtime's isspace sees them.
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int64_t value = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) {
      value = limit;
      // Keep consuming digits; the result stays saturated.
    }
  }
  return static_cast<int32_t>(negative ? -value : value);
}

bool IsBlank(const std::string& text) {
  for (char c : text)
    if (!(c == ' ' || (c >= '\t' && c <= '\r'))) return false;
  return true;
}

std::string Trimmed(const std::string& text, const char* blanks) {
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string HexBytes(const uint8_t* bytes, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) appendf(text, i == 0 ? "%02X" : " %02X", bytes[i]);
  return text;
}

std::optional<uint64_t> WholeNumber(const std::string& text, uint64_t max, int base) {
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  const std::from_chars_result parsed = std::from_chars(text.data(), end, value, base);
  if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end || value > max) return std::nullopt;
  return value;
}

namespace {
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

std::string ByteOrderMarked(bool byteOrderMark, std::string text) {
  if (byteOrderMark) text.insert(0, kUtf8ByteOrderMark);
  return text;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) text.remove_prefix(kUtf8ByteOrderMark.size());
  return text;
}
