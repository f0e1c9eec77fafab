#include "sim/register_values.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "console/text.h"

namespace {

// A decimal or 0x-hexadecimal number no larger than 65535.
std::optional<uint16_t> Number(const std::string& field) {
  const std::string text = Trimmed(field, " \t\r");
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  const std::optional<uint64_t> value = WholeNumber(digits, 65535, hex ? 16 : 10);
  if (!value) return std::nullopt;
  return static_cast<uint16_t>(*value);
}

// Reads one line into `line`, refusing to hold more than kMaxValuesLine bytes of
// it, so that an endless line cannot eat the memory. False at the end of input.
bool ReadBoundedLine(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  std::istream::int_type c;
  while ((c = in.get()) != std::istream::traits_type::eof()) {
    if (c == '\n') return true;
    if (line.size() == kMaxValuesLine) {
      tooLong = true;
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
  return !line.empty();
}

}  // namespace

std::map<uint16_t, uint16_t> LoadRegisterValues(const std::string& path) {
  std::error_code ec;
  // A directory, a device or a pipe is no values file (/dev/zero would never end).
  if (!std::filesystem::is_regular_file(path, ec))
    throw std::runtime_error(path + ": not a regular file");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::map<uint16_t, uint16_t> words;
  std::string line;
  bool tooLong = false;
  for (int lineNo = 1; ReadBoundedLine(in, line, tooLong); ++lineNo) {
    const std::string where = path + ":" + std::to_string(lineNo) + ": ";
    if (tooLong)
      throw std::runtime_error(where + "line longer than " + std::to_string(kMaxValuesLine) +
                               " bytes");
    line = line.substr(0, line.find('#'));
    if (Trimmed(line, " \t\r").empty()) continue;
    const size_t eq = line.find('=');
    const std::optional<uint16_t> address =
        eq == std::string::npos ? std::nullopt : Number(line.substr(0, eq));
    const std::optional<uint16_t> value =
        eq == std::string::npos ? std::nullopt : Number(line.substr(eq + 1));
    if (!address || !value) throw std::runtime_error(where + "expected register=value");
    words[*address] = *value;
  }
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return words;
}
