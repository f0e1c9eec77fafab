#include "tools/register_table.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "console/text.h"
#include "modbus/exchange.h"
#include "operations/operations.h"

namespace {

bool IsPairColumn(RegisterColumn column) { return column >= RegisterColumn::kInt32HighFirst; }

WordOrder OrderOf(RegisterColumn column) {
  return column == RegisterColumn::kInt32HighFirst || column == RegisterColumn::kFloatHighFirst
             ? WordOrder::kHighFirst
             : WordOrder::kLowFirst;
}

bool IsFloatColumn(RegisterColumn column) {
  return column == RegisterColumn::kFloatHighFirst || column == RegisterColumn::kFloatLowFirst;
}

uint32_t PairAt(const StationRegisters& block, int row, WordOrder order) {
  return Join32(block.words[row], block.words[row + 1], order);
}

// A decimal number within [-negativeMax, positiveMax], its sign taken apart.
std::optional<int64_t> SignedNumber(const std::string& text, uint64_t negativeMax, uint64_t positiveMax) {
  if (!text.empty() && text[0] == '-') {
    const std::optional<uint64_t> magnitude = WholeNumber(text.substr(1), negativeMax);
    if (!magnitude) return std::nullopt;
    return -static_cast<int64_t>(*magnitude);
  }
  const std::optional<uint64_t> value = WholeNumber(text, positiveMax);
  if (!value) return std::nullopt;
  return static_cast<int64_t>(*value);
}

std::optional<float> FiniteFloat(const std::string& text) {
  float value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<uint16_t> WordOfText(const std::string& text, RegisterColumn column) {
  if (column == RegisterColumn::kHex) {
    const bool prefixed = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::optional<uint64_t> value = WholeNumber(prefixed ? text.substr(2) : text, 0xFFFF, 16);
    if (!value) return std::nullopt;
    return static_cast<uint16_t>(*value);
  }
  if (column == RegisterColumn::kUnsigned) {
    const std::optional<uint64_t> value = WholeNumber(text, 65535);
    if (!value) return std::nullopt;
    return static_cast<uint16_t>(*value);
  }
  const std::optional<int64_t> value = SignedNumber(text, 32768, 32767);
  if (!value) return std::nullopt;
  return static_cast<uint16_t>(*value);
}

std::optional<uint32_t> PairOfText(const std::string& text, RegisterColumn column) {
  if (IsFloatColumn(column)) {
    const std::optional<float> value = FiniteFloat(text);
    if (!value) return std::nullopt;
    return BitsOf(*value);
  }
  const std::optional<int64_t> value = SignedNumber(text, 2147483648u, 4294967295u);
  if (!value) return std::nullopt;
  return static_cast<uint32_t>(*value);
}

std::string Refusal(const std::string& text, RegisterColumn column) {
  std::string box = kBadRegisterValue;
  if (text.empty()) box += std::string("\r\n") + kRegisterColumnTitles[static_cast<size_t>(column)] + msg::kNotFilled;
  return box;
}

std::string JoinedNumbers(const std::vector<unsigned>& numbers) {
  std::string joined;
  for (unsigned n : numbers) {
    if (!joined.empty()) joined += kListSeparator;
    joined += std::to_string(n);
  }
  return joined;
}

std::string Confirmation(const StationRegisters& block, int row, const std::vector<uint16_t>& words) {
  std::vector<unsigned> addresses, written, before;
  for (size_t k = 0; k < words.size(); ++k) {
    addresses.push_back(block.start + row + static_cast<unsigned>(k));
    written.push_back(words[k]);
    before.push_back(block.words[row + k]);
  }
  std::string text;
  appendf(text, kConfirmTableWrite, block.station, JoinedNumbers(addresses).c_str(), JoinedNumbers(written).c_str(),
          JoinedNumbers(before).c_str());
  return text;
}

}  // namespace

uint32_t Join32(uint16_t first, uint16_t second, WordOrder order) {
  const auto [high, low] = order == WordOrder::kHighFirst ? std::pair{first, second} : std::pair{second, first};
  return uint32_t{high} << 16 | low;
}

std::array<uint16_t, 2> Split32(uint32_t value, WordOrder order) {
  const auto high = static_cast<uint16_t>(value >> 16);
  const auto low = static_cast<uint16_t>(value & 0xFFFF);
  return order == WordOrder::kHighFirst ? std::array{high, low} : std::array{low, high};
}

float FloatOf(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

uint32_t BitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string HexText(uint16_t word) {
  std::string text;
  appendf(text, "0x%04X", static_cast<unsigned>(word));
  return text;
}

std::string SignedText(uint16_t word) { return std::to_string(static_cast<int16_t>(word)); }

std::string Int32Text(uint32_t value) {
  std::string text = std::to_string(value);
  if (value & 0x80000000u) text += " (" + std::to_string(static_cast<int32_t>(value)) + ")";
  return text;
}

std::string FloatText(float value) {
  if (std::isnan(value)) return kNotANumberText;
  if (std::isinf(value)) return (value < 0 ? "-" : "") + std::string(kInfinityText);
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string TableCaption(const StationRegisters& block) {
  const auto count = static_cast<unsigned>(block.words.size());
  std::string text;
  appendf(text, kRegisterTableCaption, block.station, static_cast<unsigned>(block.start),
          block.start + count - 1, count);
  return text;
}

bool StartsPair(const StationRegisters& block, int row) {
  return row % 2 == 0 && row + 1 < static_cast<int>(block.words.size());
}

std::string CellText(const StationRegisters& block, int row, RegisterColumn column) {
  const uint16_t word = block.words[row];
  switch (column) {
    case RegisterColumn::kAddress:
      return std::to_string(block.start + row);
    case RegisterColumn::kHex:
      return HexText(word);
    case RegisterColumn::kUnsigned:
      return std::to_string(word);
    case RegisterColumn::kSigned:
      return SignedText(word);
    default:
      break;
  }
  if (!StartsPair(block, row)) return {};
  const uint32_t pair = PairAt(block, row, OrderOf(column));
  return IsFloatColumn(column) ? FloatText(FloatOf(pair)) : Int32Text(pair);
}

std::string EditText(const StationRegisters& block, int row, RegisterColumn column) {
  if (IsPairColumn(column) && !IsFloatColumn(column) && StartsPair(block, row))
    return std::to_string(PairAt(block, row, OrderOf(column)));
  return CellText(block, row, column);
}

bool IsEditable(const StationRegisters& block, int row, RegisterColumn column) {
  if (row < 0 || row >= static_cast<int>(block.words.size()) || column == RegisterColumn::kAddress) return false;
  return !IsPairColumn(column) || StartsPair(block, row);
}

std::optional<TableWrite> WriteOfEdit(const StationRegisters& block, int row, RegisterColumn column,
                                      const std::string& text) {
  if (!IsEditable(block, row, column)) return std::nullopt;
  const std::string typed = Trimmed(text);
  // A cell left as it was (a NaN too, which no edit may write) writes nothing.
  if (typed == EditText(block, row, column)) return std::nullopt;
  const StationInput station = StationInput::Of(block.station);
  const auto address = static_cast<uint16_t>(block.start + row);
  if (!IsPairColumn(column)) {
    const std::optional<uint16_t> word = WordOfText(typed, column);
    if (!word)
      return WriteRegisterRequest{station, Checked<uint16_t>::Of(address),
                                  Checked<uint16_t>::Refused(Refusal(typed, column)), {}};
    if (*word == block.words[row]) return std::nullopt;
    return WriteRegisterRequest{station, Checked<uint16_t>::Of(address), Checked<uint16_t>::Of(*word),
                                Confirmation(block, row, {*word})};
  }
  const Checked<RegisterBlock> pair = Checked<RegisterBlock>::Of({address, 2});
  const std::optional<uint32_t> value = PairOfText(typed, column);
  if (!value)
    return WriteRegistersRequest{station, pair, Checked<std::vector<uint16_t>>::Refused(Refusal(typed, column)), {}};
  const std::array<uint16_t, 2> split = Split32(*value, OrderOf(column));
  const std::vector<uint16_t> words(split.begin(), split.end());
  if (words[0] == block.words[row] && words[1] == block.words[row + 1]) return std::nullopt;
  return WriteRegistersRequest{station, pair, Checked<std::vector<uint16_t>>::Of(words),
                               Confirmation(block, row, words)};
}

void RunTableWrite(Operations& ops, const TableWrite& write) {
  if (const auto* one = std::get_if<WriteRegisterRequest>(&write))
    ops.OnBnClickedWriteRegister(*one);
  else
    ops.OnBnClickedWriteRegisters(std::get<WriteRegistersRequest>(write));
}

void ApplyWritten(StationRegisters& block, const StationRegisters& written) {
  if (written.station != block.station) return;
  for (size_t k = 0; k < written.words.size(); ++k) {
    const size_t address = written.start + k;
    if (address >= block.start && address < block.start + block.words.size())
      block.words[address - block.start] = written.words[k];
  }
}
