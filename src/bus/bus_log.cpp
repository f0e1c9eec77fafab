#include "bus/bus_log.h"

#include <algorithm>
#include <ostream>

#include "models/model_registry.h"
#include "monitor/csv_log.h"

namespace {

// Every quantity key of the bus's models, in the order they first appear.
std::vector<std::string> BusKeys(const BusFile& bus) {
  std::vector<std::string> keys;
  for (const BusModule& module : bus.modules)
    for (std::string& key : QuantityKeysOf(*module.model))
      if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(std::move(key));
  return keys;
}

std::string StationColumn(const BusModule& module, const std::string& what) {
  return CsvField(std::to_string(module.station) + ":" + what);
}

}  // namespace

std::string BusLogHeader(const BusFile& bus, BusLogLayout layout) {
  std::string header = "time";
  if (layout == BusLogLayout::kRowPerModule) {
    header += ",station,name,model,status";
    for (const std::string& key : BusKeys(bus)) header += "," + CsvField(key);
    return header;
  }
  for (const BusModule& module : bus.modules) {
    header += "," + StationColumn(module, "status");
    for (const std::string& key : QuantityKeysOf(*module.model)) header += "," + StationColumn(module, key);
  }
  return header;
}

BusLog::BusLog(LogOutput output, const BusFile& bus, BusLogLayout layout)
    : output_(std::move(output)), bus_(bus), layout_(layout), header_(BusLogHeader(bus, layout)) {
  if (layout_ == BusLogLayout::kRowPerModule) {
    keys_ = BusKeys(bus_);
  } else {
    for (const BusModule& module : bus_.modules) moduleKeys_.push_back(QuantityKeysOf(*module.model));
    pendingCells_.resize(bus_.modules.size());
  }
}

BusLog::BusLog(std::ostream& out, const BusFile& bus, BusLogLayout layout) : BusLog(LogOutput(out), bus, layout) {
  output_.put(header_ + "\r\n");
}

std::unique_ptr<BusLog> BusLog::Continue(std::unique_ptr<LogFile> file, const BusFile& bus, BusLogLayout layout,
                                         std::string* error, bool* refused, bool byteOrderMark) {
  if (refused) *refused = false;
  std::unique_ptr<BusLog> log(new BusLog(LogOutput(std::move(file)), bus, layout));
  constexpr const char* kOtherLog =
      " holds something other than a log of this bus (its first line is not this log's header)";
  const std::optional<LogOutput::Refusal> refusal = log->output_.startOrContinue(log->header_, kOtherLog, kOtherLog, byteOrderMark);
  if (!refusal) return log;
  if (error) *error = refusal->text;
  if (refused) *refused = refusal->byRule;
  return nullptr;
}

std::string BusLog::valueCells(const std::vector<std::string>& keys, const PollResult& result) const {
  std::string cells;
  for (const std::string& key : keys) {
    cells += ',';
    const auto q = std::find_if(result.quantities.begin(), result.quantities.end(),
                                [&](const Quantity& quantity) { return quantity.key == key; });
    if (q != result.quantities.end()) cells += CsvNumber(q->value);
  }
  return cells;
}

bool BusLog::write(size_t module, const PollResult& result) {
  if (layout_ == BusLogLayout::kRowPerCycle) {
    pendingCells_[module] = "," + StatusText(result) + valueCells(moduleKeys_[module], result);
    return good();
  }
  const BusModule& m = bus_.modules[module];
  std::string row = IsoLocalTime(result.wallClock) + "," + std::to_string(m.station) + "," + CsvField(m.name) +
                    "," + m.model->cliName + "," + StatusText(result) + valueCells(keys_, result) + "\r\n";
  return output_.put(row);
}

bool BusLog::endCycle(std::chrono::system_clock::time_point at) {
  if (layout_ != BusLogLayout::kRowPerCycle) return good();
  std::string row = IsoLocalTime(at);
  for (size_t i = 0; i < pendingCells_.size(); ++i) {
    row += pendingCells_[i].empty() ? std::string(1 + moduleKeys_[i].size(), ',') : pendingCells_[i];
    pendingCells_[i].clear();
  }
  return output_.put(row + "\r\n");
}
