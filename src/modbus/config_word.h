#pragma once
// The module's configuration register and the words written into it: the two
// write-protection commands, or packed communication parameters (station in
// bits 0-7, baud number in bits 8-11, format number in bits 12-15).
#include <cstdint>
#include <optional>
#include <string>
#include "console/texts.h"

inline constexpr uint16_t kConfigRegister = 3;
inline constexpr uint16_t kWriteEnableWord = 0x8000;
inline constexpr uint16_t kWriteDisableWord = 0xC000;

// Warning before a write to station 0, the broadcast station.
inline constexpr TrText kBroadcastWarning = TrNoop("modbus", "当前站号0为广播站号，继续操作将修改所有从站数据！");

// The stations a module may be given: 0 is the broadcast, and 248-255 are
// reserved, so a module given one could not be addressed on its own.
inline constexpr int kLastUnicastStation = 247;
inline constexpr TrText kStationRange = TrNoop("modbus", "模块站号允许范围 1-247。");
bool IsAssignableStation(int station);

struct CommWord {
  int baudNumber = 0;    // 0 = 9600, 1-8 = kBaudRates[baudNumber - 1]
  int formatNumber = 0;  // index into kLineFormats
  int station = 0;
};

bool IsProtectionCommand(uint16_t word);

// The parameters a word carries; nothing when its baud number is above 8 or its
// format number above 3 (a module would not know them).
std::optional<CommWord> DecodeCommWord(uint16_t word);

// baudNumber * 256 + formatNumber * 4096 + station, without overflow. The result
// is outside 0-65535 for fields out of their range; callers refuse it then.
int64_t ComposeCommWord(int baudNumber, int formatNumber, int station);

// Baud number of a kBaudRates index: 9600 is sent as 0, the others as index + 1.
// -1 for an index outside the table.
int BaudNumberForIndex(int baudIndex);
// kBaudRates index of a baud number 0-8 (0 is 9600); -1 for any other number.
int BaudIndexForNumber(int baudNumber);
// Baud rate of a baud number 0-8; 0 for any other number.
int BaudRateForNumber(int baudNumber);

// "该操作将修改通讯波特率/校验位/模块站号，..." confirmation for a decoded word.
std::string CommParamsConfirmation(const CommWord& word);
