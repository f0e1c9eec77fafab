#pragma once
// Control ids of the main window; operations name fields by these.

namespace ids {
inline constexpr int kOpenPort = 1000;
inline constexpr int kReadRegisters = 1001;
inline constexpr int kOutputPane = 1002;
inline constexpr int kRead4SXY = 1003;
inline constexpr int kRead3SXY = 1004;
inline constexpr int kWriteRegister = 1005;
inline constexpr int kStation = 1006;
inline constexpr int kWriteAddress = 1007;
inline constexpr int kWriteValue = 1008;
inline constexpr int kRead16RXY = 1009;
inline constexpr int kReadStart = 1010;
inline constexpr int kCommReset = 1011;
inline constexpr int kBaudRate = 1012;
inline constexpr int kLineFormat = 1013;
inline constexpr int kReadCount = 1014;
inline constexpr int kRead4RXY = 1015;
inline constexpr int kReadForeignMeter = 1016;
inline constexpr int kRead3RX = 1017;
inline constexpr int kRead8SXY = 1018;
inline constexpr int kRead8RXYZ = 1019;
inline constexpr int kNewBaud = 1020;
inline constexpr int kRead9VXY = 1021;
inline constexpr int kWriteStart = 1022;
inline constexpr int kRead4WX = 1023;
inline constexpr int kWriteCount = 1024;
inline constexpr int kAllowWrite = 1025;
inline constexpr int kForbidWrite = 1026;
inline constexpr int kWriteRegisters = 1027;
inline constexpr int kRead5RXZ = 1035;
inline constexpr int kRead12RX = 1036;
inline constexpr int kRead5UZ = 1037;
inline constexpr int kNewFormat = 1038;
inline constexpr int kNewStation = 1039;
inline constexpr int kChangeCommParams = 1048;
inline constexpr int kRead10RX = 1049;

// The twenty value edits of the multiple-register tool, values 0 to 19.
inline constexpr int kWriteValues[20] = {1028, 1029, 1030, 1031, 1032, 1033, 1034,
                                         1040, 1041, 1042, 1043, 1044, 1045, 1046,
                                         1047, 1058, 1059, 1060, 1061, 1062};
}  // namespace ids
