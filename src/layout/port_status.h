#pragma once
// The port as a window's status bar shows it: its name and the line it really
// uses, marked when the combo boxes hold another line, which the next opening
// takes (a change never touches an open port).
#include <string>

#include "link/link.h"

inline constexpr const char* kPortClosedStatus = "串口未打开";
inline constexpr const char* kLinePendingMark = "将在重新打开串口后生效";

// "9600 8N1", for kBaudRates and kLineFormats indexes.
std::string LineShortText(int baudRate, int formatIndex);
// "/dev/pts/3  9600 8N1", the name alone over a serial server (its line is set
// there), or 串口未打开; then, when the combo boxes' line (`baudIndex`,
// `formatIndex`) differs from the port's, "（19200 8N1 将在重新打开串口后生效）".
std::string PortStatusText(const LinkState& link, int baudIndex, int formatIndex);
bool LineChangePending(const LinkState& link, int baudIndex, int formatIndex);
