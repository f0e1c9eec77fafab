#pragma once
#include <cstdint>
#include <vector>

#include "modbus/exchange.h"
#include "console/texts.h"

// A block of registers that fits the 65536 addresses.
struct RegisterBlock {
  uint16_t start = 0;
  uint16_t count = 0;
};

// What the tools are given, each field read and checked by the form model.
struct ReadRegistersRequest {
  StationInput station;
  Checked<RegisterBlock> block;  // 1-120 registers
};
// `confirmation`, when set, is a warning asked once the fields passed (the
// register table's edits); the configuration word keeps its own instead.
struct WriteRegisterRequest {
  StationInput station;
  Checked<uint16_t> address;
  Checked<uint16_t> value;
  std::string confirmation;
};
struct WriteRegistersRequest {
  StationInput station;
  Checked<RegisterBlock> block;          // 1-20 registers
  Checked<std::vector<uint16_t>> values;  // one per register of the block
  std::string confirmation;
};

// Generic read and write tools with annotated frames. What a read read and a
// write wrote goes to the console as well (registersRead, registersWritten).
void ReadRegisters(OperationContext& ctx, const ReadRegistersRequest& request);    // function 03
void WriteRegister(OperationContext& ctx, const WriteRegisterRequest& request);    // function 06, broadcast allowed
void WriteRegisters(OperationContext& ctx, const WriteRegistersRequest& request);  // function 16

inline constexpr TrText kBadStartAddress = TrNoop("modbus", "非法的起始地址！");
inline constexpr TrText kBadReadCount = TrNoop("modbus", "非法的读取长度！");
inline constexpr TrText kBadRegisterAddress = TrNoop("modbus", "非法的寄存器地址！");
inline constexpr TrText kBadRegisterValue = TrNoop("modbus", "非法的寄存器数值！");
inline constexpr TrText kBadWriteCount = TrNoop("modbus", "非法的写入长度！");
inline constexpr TrText kBadWriteValue = TrNoop("modbus", "写入数据非法，允许范围0-65535!");

// The read tool's refusal of a register block, in its order (start, then
// count), or null for a block it reads; the monitor refuses with the same boxes.
const char* ReadBlockError(int64_t start, int64_t count);
