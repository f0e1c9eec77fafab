#pragma once
// The commissioning report of a bus: every module read once, as its model's
// button reads it, with what the module says of itself (program version,
// ranges, factory date), one full reading with units and when it was taken.
// Written as CSV, and as an HTML document that a PDF is printed from.
#include <chrono>
#include <string>
#include <vector>

#include "bus/bus_file.h"
#include "monitor/poller.h"
#include "console/texts.h"

struct OperationContext;

inline constexpr TrText kReportTitle = TrNoop("report", "调试报告");

struct ModuleReading {
  BusModule module;
  PollResult reading;  // ok: its report and quantities; failed: the box a button would show
};

struct BusReport {
  BusFile bus;
  std::string port;  // the port it was read on
  std::chrono::system_clock::time_point at;
  std::vector<ModuleReading> modules;
};

// Reads every module of `bus` once on ctx's port (a failing module is kept with
// its failure); false when the port failed or was not open (its box shown),
// with what was read so far.
bool ReadBusReport(OperationContext& ctx, const BusFile& bus, BusReport& report);

// The lines a module's report says of the module itself, before its readings:
// "程序版本：700", "电流量程：5", ... (its decoded text's first paragraph).
std::vector<std::string> IdentityLines(const std::string& moduleReport);

// One row per item: station,name,model,status,time,item,value,unit; the cover's
// items first, with the station empty.
std::string BusReportCsv(const BusReport& report);
// The same as a document: a cover, then a page per module.
std::string BusReportHtml(const BusReport& report);
