// Polling over the fuzzed port and console (fuzz_port.h): a model's block or a
// register block (from the fuzzer, or from the read tool's fields as a window
// takes it), at a station given or read from the station field, polled a few
// times, each result written to a log. Checked: a poll only ever reads (every
// frame is an 8-byte function-03 request); the counters add up; an ok poll has
// its quantities, each with a column of its own, and a failed one has none;
// reports and log rows are UTF-8, and a row has a field for every column.
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "fuzz_port.h"
#include "layout/form_model.h"
#include "models/model_registry.h"
#include "monitor/csv_log.h"
#include "monitor/poller.h"

namespace {

constexpr int kMaxPolls = 6;

std::optional<PollTarget> Target(FuzzInput& in, const FormView& form) {
  const auto models = Models();
  const size_t choice = in.range(0, models.size() + 1);
  if (choice < models.size()) return PollTarget::Model(models[choice].reader);
  if (choice == models.size()) {
    const Checked<RegisterBlock> block = ReadToolBlockOf(form);
    if (!block.ok()) return std::nullopt;
    return PollTarget::Registers(block->start, block->count);
  }
  const uint16_t start = in.word();
  return PollTarget::Registers(start, static_cast<uint16_t>(in.range(1, 125)));
}

void CheckResult(const Poller& poller, const PollResult& result) {
  Require(IsUtf8(result.report), "a report that is not UTF-8");
  const std::vector<QuantityColumn>& columns = poller.columns();
  if (result.status != PollStatus::kOk) {
    Require(result.quantities.empty(), "quantities from a failed poll");
    return;
  }
  Require(!result.quantities.empty(), "an ok poll without quantities");
  for (const Quantity& q : result.quantities) {
    bool hasColumn = false;
    for (const QuantityColumn& c : columns) hasColumn = hasColumn || c.key == q.key;
    Require(hasColumn, "a quantity without a column: its log would drop it");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  FuzzWatch watch;
  FuzzConsole console(in, watch);
  FuzzPort port(in, watch);
  LinkState link;
  link.baudRate = kBaudRates[in.range(0, 7)];
  link.lineFormat = static_cast<int32_t>(in.range(0, 3));
  link.portName = "/dev/ttyFuzz";
  TxFrame tx;
  RxFrame rx;
  OperationContext ctx{console, link, port, tx, rx};
  if (OpenPort(link, port, console) != 0) return 0;

  const std::optional<PollTarget> target = Target(in, console);
  if (!target) return 0;
  PollOptions options;
  options.interval = std::chrono::milliseconds(0);
  if (in.byte() & 1) options.station = StationOf(console);
  Poller poller(ctx, *target, options);

  std::ostringstream out;
  CsvLog log(out, poller.columns());
  for (int i = 0; i < kMaxPolls && !in.empty(); ++i) {
    const uint64_t before = poller.counters().polls;
    const bool goesOn = poller.pollOnce();
    const PollCounters& counters = poller.counters();
    Require(counters.polls <= before + 1, "one poll counted twice");
    uint64_t sum = 0;
    for (const uint64_t n : counters.byStatus) sum += n;
    Require(sum == counters.polls, "counters that do not add up");
    if (counters.polls > before) {
      CheckResult(poller, poller.last());
      Require(log.write(poller.last()), "a row could not be written");
    }
    if (!goesOn) {
      Require(!poller.running() && IsUtf8(poller.stopBox()), "polling ended without stopping");
      break;
    }
  }
  for (const std::vector<uint8_t>& frame : watch.writes)
    Require(frame.size() == 8 && frame[1] == 0x03, "a poll sent something other than a read");

  const std::string rows = out.str();
  Require(IsUtf8(rows), "a log that is not UTF-8");
  std::istringstream lines(rows);
  for (std::string row; std::getline(lines, row);) {
    size_t commas = 0;
    for (const char c : row) commas += c == ',';
    Require(commas == 2 + poller.columns().size() || row.find('"') != std::string::npos,
            "a log row without a field for every column");
  }
  return 0;
}
