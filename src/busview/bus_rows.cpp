#include "busview/bus_rows.h"

#include <algorithm>

#include "console/text.h"
#include "models/model_registry.h"
#include "monitor/csv_log.h"
#include "console/texts.h"

namespace {

std::string QuantityText(const Quantity& q) {
  std::string text = q.label + ' ' + CsvNumber(q.value);
  if (!q.unit.empty()) text += ' ' + q.unit;
  return text;
}

const Quantity* FindQuantity(const std::vector<Quantity>& quantities, const std::string& key) {
  const auto q = std::find_if(quantities.begin(), quantities.end(), [&](const Quantity& each) { return each.key == key; });
  return q == quantities.end() ? nullptr : &*q;
}

std::string AgeText(const BusModuleState& state, PollResult::Clock::time_point now) {
  if (!state.lastGood) return state.polled ? Tr("busview", "无数据") : "";
  const std::chrono::duration<double> age = now - *state.lastGood;
  std::string text;
  appendf(text, Tr("busview", "%.1f 秒前"), std::max(0.0, age.count()));
  if (state.stale()) text += Tr("busview", "（已过期）");
  return text;
}

std::string ReadingText(const BusModuleState& state) {
  std::vector<std::string> modelKeys;
  for (const Quantity& q : state.quantities) modelKeys.push_back(q.key);
  std::string text;
  for (const std::string& key : KeyQuantityKeys(modelKeys)) {
    if (!text.empty()) text += Tr("busview", "，");
    text += QuantityText(*FindQuantity(state.quantities, key));
  }
  return text;
}

std::string OutsideText(const BusModuleState& state) {
  std::string text;
  for (const std::string& key : state.outside) {
    const Quantity* q = FindQuantity(state.quantities, key);
    const QuantityLimits& limits = state.module.limits.at(key);
    if (!text.empty()) text += Tr("busview", "；");
    text += QuantityText(*q);
    if (limits.low && q->value < *limits.low) text += " < " + CsvNumber(*limits.low);
    if (limits.high && q->value > *limits.high) text += " > " + CsvNumber(*limits.high);
  }
  return text;
}

}  // namespace

std::vector<std::string> KeyQuantityKeys(const std::vector<std::string>& modelKeys) {
  static const char* const kPreferred[] = {"ch1.i", "ch1.u", "ch1.p", "total.p", "ch2.i", "ch3.i", "ch4.i"};
  constexpr size_t kShown = 4;
  std::vector<std::string> keys;
  for (const char* key : kPreferred) {
    if (keys.size() == kShown) break;
    if (std::find(modelKeys.begin(), modelKeys.end(), key) != modelKeys.end()) keys.push_back(key);
  }
  return keys;
}

std::string StatusWords(const BusModuleState& state) {
  if (!state.polled) return "";
  switch (state.status) {
    case PollStatus::kOk: return Tr("busview", "正常");
    case PollStatus::kTimeout: return Tr("busview", "无应答");
    case PollStatus::kShort: return Tr("busview", "应答不全");
    case PollStatus::kCrc: return Tr("busview", "CRC 错误");
    case PollStatus::kMismatch: return Tr("busview", "应答不符");
    case PollStatus::kException: {
      std::string text;
      appendf(text, Tr("busview", "异常 0x%02X"), state.exceptionCode);
      return text;
    }
    case PollStatus::kRefused: return Tr("busview", "被拒绝");
    case PollStatus::kIo: return Tr("busview", "串口错误");
  }
  return state.statusText;
}

BusRow RowOf(const BusModuleState& state, PollResult::Clock::time_point now) {
  BusRow row;
  auto set = [&row](BusColumn column, std::string text) { row.cells[static_cast<size_t>(column)] = std::move(text); };
  set(BusColumn::kStation, std::to_string(state.module.station));
  set(BusColumn::kName, state.module.name);
  set(BusColumn::kModel, state.module.model ? state.module.model->cliName : "");
  set(BusColumn::kStatus, StatusWords(state));
  set(BusColumn::kAge, AgeText(state, now));
  set(BusColumn::kReading, ReadingText(state));
  set(BusColumn::kOutside, OutsideText(state));
  if (state.polled) {
    set(BusColumn::kFailures, std::to_string(state.counters.failures()) + "/" + std::to_string(state.counters.polls));
  }
  row.stale = state.stale();
  row.outside = !state.outside.empty();
  row.failing = state.polled && state.status != PollStatus::kOk;
  return row;
}
