#pragma once
// The 寄存器表 without a toolkit: the last block the read tool read as rows
// (address, hex, unsigned, signed, and per pair of registers the 32-bit integer
// and the float in both word orders), and an edited value cell as the write
// request the window's write buttons send. The Qt window shows these rows;
// the Win32 window would show the same.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "console/console.h"
#include "console/texts.h"
#include "modbus/register_tools.h"

class Operations;

inline constexpr TrText kRegisterTableTitle = TrNoop("tools", "寄存器表");
// Above the rows: which station and registers they are, or that none were read yet.
inline constexpr TrText kRegisterTableEmpty = TrNoop("tools", "按“读多寄存器”读取后在此显示");
inline constexpr TrText kRegisterTableCaption = TrNoop("tools", "站号 %d，地址 %u-%u，共 %u 个寄存器");

enum class RegisterColumn {
  kAddress,
  kHex,
  kUnsigned,
  kSigned,
  kInt32HighFirst,
  kInt32LowFirst,
  kFloatHighFirst,
  kFloatLowFirst,
};
inline constexpr int kRegisterColumns = 8;
// ABCD: the pair's first register holds the high word; CDAB: the low word.
inline constexpr std::array<TrText, kRegisterColumns> kRegisterColumnTitles{
    TrNoop("tools", "地址"),          TrNoop("tools", "十六进制"),      TrNoop("tools", "无符号"),
    TrNoop("tools", "有符号"),        TrNoop("tools", "32位整数 ABCD"), TrNoop("tools", "32位整数 CDAB"),
    TrNoop("tools", "浮点 ABCD"),     TrNoop("tools", "浮点 CDAB")};
// Widths in pixels at the window's 9-point font.
inline constexpr std::array<int, kRegisterColumns> kRegisterColumnWidths{60, 70, 70, 70, 180, 180, 110, 110};

// How a float that is not a number shows.
inline constexpr const char* kNotANumberText = "NaN";
inline constexpr const char* kInfinityText = "Inf";

// The warning an edit asks before its write: the station, the registers, the
// new words and the words they replace, each list joined by kListSeparator.
inline constexpr TrText kConfirmTableWrite = TrNoop("tools", "确定向站号 %d 的寄存器 %s 写入 %s（原值 %s）？");
inline constexpr TrText kListSeparator = TrNoop("tools", "、");

enum class WordOrder { kHighFirst, kLowFirst };

// Two registers as one 32-bit value, and back.
uint32_t Join32(uint16_t first, uint16_t second, WordOrder order);
std::array<uint16_t, 2> Split32(uint32_t value, WordOrder order);
float FloatOf(uint32_t bits);
uint32_t BitsOf(float value);

// The cells' texts: "0x002A"; "-1"; "4294967295 (-1)" (the signed value only
// where it differs); the shortest text that reads back as the same float.
std::string HexText(uint16_t word);
std::string SignedText(uint16_t word);
std::string Int32Text(uint32_t value);
std::string FloatText(float value);

std::string TableCaption(const StationRegisters& block);

// Pairs start at the block's even offsets; an odd block's last register has none.
bool StartsPair(const StationRegisters& block, int row);

// One cell's display text; empty for a pair column outside a pair's first row.
std::string CellText(const StationRegisters& block, int row, RegisterColumn column);
// What an edit starts from: the value alone, in the form it is typed back.
std::string EditText(const StationRegisters& block, int row, RegisterColumn column);
bool IsEditable(const StationRegisters& block, int row, RegisterColumn column);

// An edit as the write it asks for: one register by the single-register write,
// a pair (32-bit, float) by the multiple-register write. A text that reads as
// no value of its column comes as a refused value, shown by the write tool at
// the point it checks values.
using TableWrite = std::variant<WriteRegisterRequest, WriteRegistersRequest>;
// Nothing for a cell that is not editable, or an edit that changes no word.
std::optional<TableWrite> WriteOfEdit(const StationRegisters& block, int row, RegisterColumn column,
                                      const std::string& text);
// Runs the write through the write buttons' handlers (on the session's worker).
void RunTableWrite(Operations& ops, const TableWrite& write);

// The block after a write the module acknowledged: the registers it shares
// with the block take the written words; another station's write changes nothing.
void ApplyWritten(StationRegisters& block, const StationRegisters& written);
