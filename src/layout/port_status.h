#pragma once
// The port as a window's status bar shows it: its name and the line it really
// uses, marked when the combo boxes hold another line, which the next opening
// takes (a change never touches an open port).
#include <string>

#include "console/texts.h"
#include "link/link.h"

inline constexpr TrText kPortClosedStatus = TrNoop("layout", "串口未打开");
inline constexpr TrText kLinePendingMark = TrNoop("layout", "将在重新打开串口后生效");
// After the line in use: the combo boxes' line and the mark.
inline constexpr TrText kLinePendingPattern = TrNoop("layout", "（%s %s）");

// "9600 8N1", for kBaudRates and kLineFormats indexes.
std::string LineShortText(int baudRate, int formatIndex);
// "/dev/pts/3  9600 8N1", the name alone over a serial server (its line is set
// there), or 串口未打开; then, when the combo boxes' line (`baudIndex`,
// `formatIndex`) differs from the port's, "（19200 8N1 将在重新打开串口后生效）".
std::string PortStatusText(const LinkState& link, int baudIndex, int formatIndex);
bool LineChangePending(const LinkState& link, int baudIndex, int formatIndex);
