#pragma once
#include <cstdint>

#include "modbus/exchange.h"

// Generic read and write tools with annotated frames.
void ReadRegisters(OperationContext& ctx);   // function 03, 1-120 registers
void WriteRegister(OperationContext& ctx);   // function 06, broadcast allowed
void WriteRegisters(OperationContext& ctx);  // function 16, 1-20 registers

inline constexpr const char* kBadStartAddress = "非法的起始地址！";
inline constexpr const char* kBadReadCount = "非法的读取长度！";
inline constexpr const char* kBadRegisterAddress = "非法的寄存器地址！";
inline constexpr const char* kBadRegisterValue = "非法的寄存器数值！";
inline constexpr const char* kBadWriteCount = "非法的写入长度！";
inline constexpr const char* kBadWriteValue = "写入数据非法，允许范围0-65535!";

// The read tool's refusal of a register block, in its order (start, then
// count), or null for a block it reads; the monitor refuses with the same boxes.
const char* ReadBlockError(int64_t start, int64_t count);
