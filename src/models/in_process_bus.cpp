#include "models/in_process_bus.h"

#include <mutex>
#include <vector>

#include "link/loopback_serial_port.h"
#include "models/demo_bus.h"
#include "sim/sim_modules.h"

struct InProcessBus::State {
  std::mutex mu;  // the worker exchanges while the window describes the bus
  SimModules modules;
  std::vector<uint8_t> received;  // the start of a request still arriving
};

InProcessBus::InProcessBus() : state_(std::make_shared<State>()) {
  for (const SimModuleConfig& config : DemoModules()) state_->modules.add(config);
  state_->modules.setLiveValues(true);
}

// A device name by the Windows rule, so that the port entry takes it as given.
std::string InProcessBus::portName() const { return "\\\\.\\DOLVANE-SIM"; }

std::unique_ptr<SerialPort> InProcessBus::newPort() {
  // The modules hear whole requests on the line the console set, answer at
  // once, and take a new setting after their reply, as on the wire.
  auto farEnd = [state = state_](const uint8_t* bytes, size_t count, const LoopbackLine& line) {
    std::lock_guard lock(state->mu);
    state->received.insert(state->received.end(), bytes, bytes + count);
    std::vector<uint8_t> replies;
    for (const std::vector<uint8_t>& request : TakeRequests(state->received)) {
      const SimExchange exchange =
          state->modules.handle(request.data(), request.size(), SimLine{line.baudRate, line.stopBits});
      replies.insert(replies.end(), exchange.reply.begin(), exchange.reply.end());
      if (exchange.change) state->modules.apply(*exchange.change);
    }
    return replies;
  };
  return std::make_unique<LoopbackSerialPort>(portName(), farEnd);
}

std::string InProcessBus::describe() const {
  std::lock_guard lock(state_->mu);
  return DescribeModules(state_->modules.configs());
}
