#include "readers/report.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

void AppendV(std::string& out, const char* fmt, va_list args) {
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  if (length <= 0) return;
  const size_t start = out.size();
  out.resize(start + static_cast<size_t>(length) + 1);
  std::vsnprintf(out.data() + start, static_cast<size_t>(length) + 1, fmt, args);
  out.resize(start + static_cast<size_t>(length));
}

constexpr std::string_view kFullWidthColon = "：";

// The words of a printed label: "->" reads as a space, runs of blanks as one.
std::string LabelWords(std::string_view printed) {
  std::string words;
  bool blank = false;
  for (size_t i = 0; i < printed.size(); ++i) {
    const bool arrow = printed.substr(i, 2) == "->";
    const char c = printed[i];
    if (arrow || c == ' ' || c == '\r' || c == '\n') {
      blank = true;
      i += arrow ? 1 : 0;
      continue;
    }
    if (blank && !words.empty()) words += ' ';
    blank = false;
    words += c;
  }
  return words;
}

// The number printed at `from`: leading blanks, zeros and a sign as printf writes them.
double PrintedNumber(std::string_view printed, size_t from) {
  const char* begin = printed.data() + std::min(from, printed.size());
  const char* end = printed.data() + printed.size();
  while (begin < end && *begin == ' ') ++begin;
  double value = 0;
  const std::from_chars_result parsed = std::from_chars(begin, end, value);
  assert(parsed.ec == std::errc() && "a quantity prints a decimal number after its label");
  (void)parsed;
  return value;
}

}  // namespace

void ReportBuilder::text(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  AppendV(text_, fmt, args);
  va_end(args);
}

void ReportBuilder::quantity(const std::string& key, const std::string& scope, const char* unit,
                             const char* fmt, ...) {
  const size_t start = text_.size();
  va_list args;
  va_start(args, fmt);
  AppendV(text_, fmt, args);
  va_end(args);
  if (!quantities_) return;
  // Label and number are read back from what was printed: they cannot differ from it.
  const std::string_view printed = std::string_view(text_).substr(start);
  const size_t colon = printed.find(kFullWidthColon);
  const size_t labelEnd = colon == std::string_view::npos ? 0 : colon;
  const size_t numberAt = colon == std::string_view::npos ? 0 : colon + kFullWidthColon.size();
  const std::string words = LabelWords(printed.substr(0, labelEnd));
  std::string label = scope;
  if (!label.empty() && !words.empty()) label += ' ';
  label += words;
  quantities_->push_back({key, std::move(label), unit, PrintedNumber(printed, numberAt)});
}

std::string ChannelKey(int channel, const char* what) {
  return "ch" + std::to_string(channel) + "." + what;
}
