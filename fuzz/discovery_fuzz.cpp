// Discovery over the fuzzed port and console (fuzz_port.h): a station scan of
// any range, or a line detection at any station over a serial port or a
// serial server, perhaps cancelled part way. Checked: nothing but the probe
// (a read of register 0 at a station 1-247) is ever sent; what is found lies
// in the range asked, once per station and in order; a detection names each
// of the 32 settings at most once; a run that ends normally probed them all;
// descriptions are UTF-8; and the port is given back with the console's own
// line and time-outs however the run ended.
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "discovery/discovery.h"
#include "fuzz_input.h"
#include "fuzz_port.h"

namespace {

int AnyStation(FuzzInput& in) { return static_cast<int>(in.range(0, 300)) - 20; }

void CheckProbes(const FuzzWatch& watch) {
  for (const std::vector<uint8_t>& frame : watch.writes) {
    TxFrame probe;
    BuildReadRequest(probe, Framing::kRtu, frame.empty() ? 0 : frame[0], 0, 1);
    Require(frame.size() == probe.length && std::equal(frame.begin(), frame.end(), probe.bytes),
            "discovery sent something other than the probe");
    Require(frame[0] >= kFirstStation && frame[0] <= kLastStation, "a probe to an impossible station");
  }
}

void CheckScan(const StationScan& scan, int from, int to) {
  const int first = std::max(from, kFirstStation);
  const int last = std::min(to, kLastStation);
  const int total = std::max(0, last - first + 1);
  Require(scan.probed >= 0 && scan.probed <= total, "more stations probed than asked for");
  if (scan.end == DiscoveryEnd::kDone) Require(scan.probed == total, "a scan done before its last station");
  Require(static_cast<int>(scan.found.size()) <= scan.probed, "more found than probed");
  int previous = first - 1;
  for (const StationFound& found : scan.found) {
    Require(found.station > previous && found.station <= last, "a station found out of range or order");
    previous = found.station;
    const ProbeAnswer a = found.probe.answer;
    Require(a == ProbeAnswer::kWord || a == ProbeAnswer::kException || a == ProbeAnswer::kCorrupted,
            "a station found that did not answer");
    if (found.guess.model) Require(found.guess.accepting.size() == 1, "a model told apart from others that accept");
    const std::string text = DescribeStation(found);
    Require(!text.empty() && IsUtf8(text), "a description that is empty or not UTF-8");
  }
}

void CheckDetection(const LineDetection& detection) {
  Require(detection.probed >= 0 && detection.probed <= 32, "more than the 32 settings probed");
  if (detection.end == DiscoveryEnd::kDone || detection.end == DiscoveryEnd::kLineIgnored)
    Require(detection.probed == 32, "a detection done before its last setting");
  if (detection.end == DiscoveryEnd::kLineIgnored) Require(detection.answered.size() == 32, "a line called ignored that did not answer alike");
  std::set<std::pair<int, int>> named;
  for (const auto* list : {&detection.answered, &detection.corrupted})
    for (const LineSetting& s : *list) {
      bool known = false;
      for (const int rate : kBaudRates) known = known || s.baudRate == rate;
      Require(known && s.formatIndex >= 0 && s.formatIndex < 4, "an impossible setting named");
      Require(named.insert({s.baudRate, s.formatIndex}).second, "a setting named twice");
      Require(IsUtf8(SettingText(s)), "a setting text that is not UTF-8");
    }
  Require(static_cast<int>(named.size()) <= detection.probed, "more settings named than probed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  FuzzWatch watch;
  FuzzConsole console(in, watch);
  FuzzPort port(in, watch, (in.byte() & 1) == 0);
  LinkState link;
  link.baudRate = kBaudRates[in.range(0, 7)];
  link.lineFormat = static_cast<int32_t>(in.range(0, 3));
  link.portName = in.byte() < 224 ? "/dev/ttyFuzz" : "tcp:192.0.2.1:4001";
  TxFrame tx;
  RxFrame rx;
  OperationContext ctx{console, link, port, tx, rx};
  // Closed now and then: both runs must refuse without touching the port.
  if (in.byte() < 240 && OpenPort(link, port, console) != 0) return 0;

  DiscoveryControl control;
  control.turnaroundMs = static_cast<int>(in.range(0, 1000));
  const int cancelAfter = in.byte() < 32 ? static_cast<int>(in.range(0, 40)) : -1;
  int asked = 0;
  control.cancelRequested = [&] { return cancelAfter >= 0 && asked++ >= cancelAfter; };

  watch.timeouts.reset();
  watch.baudRate = 0;
  const bool scan = in.byte() & 1;
  DiscoveryEnd end;
  if (scan) {
    const int from = AnyStation(in);
    const int to = in.byte() < 128 ? from + static_cast<int>(in.range(0, 12)) : AnyStation(in);
    const StationScan result = ScanStations(ctx, from, to, control);
    CheckScan(result, from, to);
    end = result.end;
  } else {
    const LineDetection result = DetectLine(ctx, AnyStation(in), control);
    CheckDetection(result);
    end = result.end;
  }
  CheckProbes(watch);

  const bool borrowed = end != DiscoveryEnd::kPortNotOpen && end != DiscoveryEnd::kBadStation &&
                        end != DiscoveryEnd::kLineFixed;
  if (!borrowed) {
    Require(watch.writes.empty() && !watch.timeouts, "a refused run touched the port");
    return 0;
  }
  const PortTimeouts own = TimeoutsFor(link.baudRate);
  Require(watch.timeouts && watch.timeouts->readConstant == own.readConstant &&
              watch.timeouts->readInterval == own.readInterval && watch.timeouts->readMultiplier == own.readMultiplier &&
              watch.timeouts->writeConstant == own.writeConstant &&
              watch.timeouts->writeMultiplier == own.writeMultiplier,
          "the port given back with the run's time-outs");
  const LineFormat& format = LineFormatAt(link.lineFormat);
  Require(watch.baudRate == link.baudRate && watch.parity == format.parity && watch.stopBits == format.stopBits,
          "the port given back with the run's line");
  return 0;
}
