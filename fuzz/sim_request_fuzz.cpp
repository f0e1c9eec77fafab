// The simulated modules' request side: a master's byte stream, raw or built of
// well-formed requests with any fields, framed and answered by one module of
// every model (the demo bus). Checked: every frame taken carries its CRC and its
// own length, and what stays behind is the start of a request still arriving; a
// reply is a whole frame of at most 256 bytes from the station asked, for the
// function asked or its exception; a broadcast gets none; a settings change names
// settings a module can have.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "link/link.h"
#include "models/demo_bus.h"
#include "modbus/frames.h"
#include "sim/sim_modules.h"

namespace {

// A request with the fuzzer's fields and a correct CRC: what a master sends.
std::vector<uint8_t> WellFormedRequest(FuzzInput& in) {
  static const uint8_t kFunctions[] = {0x03, 0x06, 0x10};
  const uint8_t choice = in.byte();
  std::vector<uint8_t> frame{in.byte(), choice < 192 ? kFunctions[choice % 3] : in.byte()};
  for (int i = 0; i < 4; ++i) frame.push_back(in.byte());  // start, count or address, value
  if (frame[1] == 0x10) {
    const uint8_t byteCount = in.byte();
    frame.push_back(byteCount);
    for (int i = 0; i < byteCount; ++i) frame.push_back(in.byte());
  }
  frame.resize(frame.size() + 2);
  PlaceCrc(frame.data(), static_cast<uint32_t>(frame.size() - 2));
  return frame;
}

SimLine LineOf(FuzzInput& in) {
  const uint8_t choice = in.byte();
  if (choice < 192) return SimLine{};  // the modules' own 9600, one stop bit
  return SimLine{kBaudRates[choice % 8], choice & 8 ? 2 : 1};
}

void CheckReply(const std::vector<uint8_t>& request, const SimExchange& ex) {
  const std::vector<uint8_t>& reply = ex.reply;
  if (request[0] == 0) Require(reply.empty(), "a broadcast was answered");
  if (!reply.empty()) {
    Require(reply.size() >= 5 && reply.size() <= 256, "a reply of impossible length");
    Require(CrcMatches(reply.data(), static_cast<uint32_t>(reply.size())), "a reply without its CRC");
    Require(reply[0] == request[0], "a reply from another station");
    Require((reply[1] | 0x80) == (request[1] | 0x80), "a reply for another function");
    if (reply[1] & 0x80) Require(reply.size() == 5, "an exception reply of the wrong length");
    else if (reply[1] == 0x03) Require(reply.size() == 5u + reply[2], "a read reply of the wrong length");
    else if (reply[1] == 0x06) Require(reply == request, "a write reply that is not the echo");
    else if (reply[1] == 0x10) Require(reply.size() == 8, "a multiple-write reply of the wrong length");
  }
  if (ex.change) {
    const SimSettingsChange& c = *ex.change;
    Require(c.station >= 1 && c.station <= 255, "a settings change to an impossible station");
    Require(std::find(std::begin(kBaudRates), std::end(kBaudRates), c.baudRate) != std::end(kBaudRates),
            "a settings change to an impossible baud rate");
    Require(c.lineFormat >= 0 && c.lineFormat < 4, "a settings change to an impossible line format");
  }
}

// The demo bus's modules, protected or not. Built once: each input starts from a copy.
const SimModules& BusModules(bool writesAllowed) {
  static const auto build = [](bool allowed) {
    SimModules modules;
    for (SimModuleConfig config : DemoModules()) {
      config.writesAllowed = allowed;
      modules.add(config);
    }
    return modules;
  };
  static const SimModules protectedModules = build(false);
  static const SimModules openModules = build(true);
  return writesAllowed ? openModules : protectedModules;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t setup = in.byte();
  SimModules modules = BusModules((setup & 1) != 0);
  modules.setLiveValues((setup & 2) != 0);

  std::vector<uint8_t> stream;
  while (!in.empty()) {
    if (in.byte() & 1) {
      const std::vector<uint8_t> request = WellFormedRequest(in);
      stream.insert(stream.end(), request.begin(), request.end());
    } else {
      const size_t n = in.range(1, 64);
      for (size_t i = 0; i < n; ++i) stream.push_back(in.byte());
    }
    for (const std::vector<uint8_t>& request : TakeRequests(stream)) {
      Require(request.size() == RequestLength(request.data(), request.size()) &&
                  CrcMatches(request.data(), static_cast<uint32_t>(request.size())),
              "a request taken that is not a whole frame");
      const SimExchange ex = modules.handle(request.data(), request.size(), LineOf(in));
      CheckReply(request, ex);
      if (ex.change) modules.apply(*ex.change);
    }
    const size_t need = RequestLength(stream.data(), stream.size());
    Require(need == 0 || stream.size() < need, "a whole request left in the stream");
  }
  return 0;
}
