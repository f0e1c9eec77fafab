#pragma once
// The 总线视图 table without a toolkit: its columns, and each module's cells as
// the last polls left it (status, age of the last good reading, key
// quantities, values outside their limits, failures), with its marks. The Qt
// and the Win32 window show these rows.
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "bus/bus_poller.h"
#include "tools/traffic_rows.h"
#include "console/texts.h"

inline constexpr TrText kBusViewTitle = TrNoop("busview", "总线视图");

enum class BusColumn { kStation, kName, kModel, kStatus, kAge, kReading, kOutside, kFailures };
inline constexpr int kBusColumns = 8;
inline constexpr std::array<TrText, kBusColumns> kBusColumnTitles{
    TrNoop("busview", "站号"), TrNoop("busview", "名称"), TrNoop("busview", "型号"), TrNoop("busview", "状态"), TrNoop("busview", "数据时间"), TrNoop("busview", "读数"), TrNoop("busview", "越限"), TrNoop("busview", "失败/轮询")};
// Widths in pixels at the window's 9-point font.
inline constexpr std::array<int, kBusColumns> kBusColumnWidths{44, 110, 60, 70, 150, 430, 190, 80};

// Row marks: a stale reading's text, a value outside its limits' cells' ground;
// a failing status takes the traffic window's failed-row colour.
inline constexpr RowColour kStaleRowColour{0x80, 0x80, 0x80};
inline constexpr RowColour kOutsideCellColour{0xFF, 0xD8, 0xD8};

struct BusRow {
  std::array<std::string, kBusColumns> cells;
  bool stale = false;    // the reading shown is older than two cycles
  bool outside = false;  // a value of the reading shown is outside its limits
  bool failing = false;  // the last poll failed

  const std::string& cell(BusColumn column) const { return cells[static_cast<size_t>(column)]; }
};

// The row of a module; `now` on the poll results' clock.
BusRow RowOf(const BusModuleState& state, PollResult::Clock::time_point now);

// The quantities a row shows of a model's reading: the first channel's current,
// voltage and active power, the total power, then further channels' currents;
// at most four, in that order, those the model has.
std::vector<std::string> KeyQuantityKeys(const std::vector<std::string>& modelKeys);

// A poll status in the window's words: "正常", "无应答", "异常 0x04", ...
std::string StatusWords(const BusModuleState& state);
