#pragma once
// What the recovery scan sends and asks, for the tests that watch it.
#include <cstdint>
#include <vector>

namespace reset_frames {
// The write-enable broadcast, the broadcast of station 1 at 9600 N,8,1, and the
// confirmation write to station 1.
inline const std::vector<uint8_t> kEnable{0x00, 0x06, 0x00, 0x03, 0x80, 0x00, 0x19, 0xDB};
inline const std::vector<uint8_t> kReset{0x00, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB9, 0xDB};
inline const std::vector<uint8_t> kConfirm{0x01, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB8, 0x0A};
inline constexpr const char* kWarning =
    "继续操作将修改所有从站数据，并重置波特率/站号！\r\n"
    "总线上的所有模块都将变为站号 1、9600 N,8,1，约需 15 秒。";
}  // namespace reset_frames
