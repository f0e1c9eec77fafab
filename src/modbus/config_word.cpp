#include "modbus/config_word.h"

#include "console/text.h"
#include "link/link.h"
#include "console/texts.h"

bool IsAssignableStation(int station) { return station >= 1 && station <= kLastUnicastStation; }

bool IsProtectionCommand(uint16_t word) {
  return word == kWriteEnableWord || word == kWriteDisableWord;
}

std::optional<CommWord> DecodeCommWord(uint16_t word) {
  CommWord fields;
  fields.station = word & 0xFF;
  fields.baudNumber = (word >> 8) & 0x0F;
  fields.formatNumber = (word >> 12) & 0x0F;
  if (fields.baudNumber > 8 || fields.formatNumber > 3) return std::nullopt;
  return fields;
}

int64_t ComposeCommWord(int baudNumber, int formatNumber, int station) {
  return int64_t{baudNumber} * 256 + int64_t{formatNumber} * 4096 + station;
}

int BaudNumberForIndex(int baudIndex) {
  if (baudIndex < 0 || baudIndex > 7) return -1;
  return kBaudRates[baudIndex] == 9600 ? 0 : baudIndex + 1;
}

int BaudIndexForNumber(int baudNumber) {
  if (baudNumber == 0) return 3;  // kBaudRates[3] is 9600
  if (baudNumber >= 1 && baudNumber <= 8) return baudNumber - 1;
  return -1;
}

int BaudRateForNumber(int baudNumber) {
  if (baudNumber == 0) return 9600;
  if (baudNumber >= 1 && baudNumber <= 8) return kBaudRates[baudNumber - 1];
  return 0;
}

std::string CommParamsConfirmation(const CommWord& word) {
  const int format = (word.formatNumber >= 0 && word.formatNumber <= 3) ? word.formatNumber : 0;
  std::string text;
  appendf(text,
          Tr("modbus", "该操作将修改通讯波特率/校验位/模块站号，设置成功后参数持久化保存，请确认当前设置参数："
          "\r\n波特率号：%d=%dBPS。\r\n校验值号：%d=%s。\r\n模块站号：%d。"),
          word.baudNumber, BaudRateForNumber(word.baudNumber), word.formatNumber,
          kLineFormats[format].text, word.station);
  return text;
}
