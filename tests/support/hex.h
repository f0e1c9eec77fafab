#pragma once
// Frames as the pane shows them, written independently of the code under test.
#include <cstdint>
#include <string>
#include <vector>

// Two upper-case digits and a space per byte; "\r\n" after every lineWidth-th.
inline std::string Hex(const uint8_t* bytes, size_t count, size_t lineWidth = 0) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (size_t i = 0; i < count; ++i) {
    s += digits[bytes[i] >> 4];
    s += digits[bytes[i] & 15];
    s += ' ';
    if (lineWidth && (i + 1) % lineWidth == 0) s += "\r\n";
  }
  return s;
}
inline std::string Hex(const std::vector<uint8_t>& bytes, size_t lineWidth = 0) {
  return Hex(bytes.data(), bytes.size(), lineWidth);
}

inline constexpr const char* kSentHeading = "十六进制显示发送数据：\r\n";
inline constexpr const char* kReceivedHeading = "\r\n\r\n十六进制显示接收数据：\r\n";

// The request section, which every failure after sending leaves in the pane.
inline std::string RequestSection(const uint8_t* request, size_t count) {
  return kSentHeading + Hex(request, count);
}
inline std::string RequestSection(const std::vector<uint8_t>& request) {
  return RequestSection(request.data(), request.size());
}
// The reply section of a model read: 24 bytes a line, then a blank line.
inline std::string ReplySection(const std::vector<uint8_t>& reply) {
  return kReceivedHeading + Hex(reply, 24) + "\r\n\r\n";
}
