#include "sim/sim_faults.h"

#include "link/link.h"
#include "link/serial_port.h"
#include "modbus/frames.h"
#include "sim/sim_modules.h"

const std::vector<SimFaultName>& SimFaultNames() {
  static const std::vector<SimFaultName> names = {
      {"silence", SimFault::kSilence, "no reply"},
      {"short", SimFault::kShortReply, "the reply without its last byte"},
      {"bad-crc", SimFault::kBadCrc, "its last CRC byte flipped (--mbtcp: its protocol id)"},
      {"exception", SimFault::kException, "exception 04 in place of the reply"},
      {"extra", SimFault::kExtraBytes, "three stray bytes after the reply"},
      {"gap", SimFault::kGap, "a pause past the time-out in mid-reply"},
      {"vanish", SimFault::kVanish, "half the reply, then the device closes"},
  };
  return names;
}

std::optional<SimFault> SimFaultNamed(const std::string& name) {
  for (const SimFaultName& n : SimFaultNames())
    if (name == n.name) return n.fault;
  return std::nullopt;
}

void SimFaultPlan::add(int station, SimFault fault, int count) {
  if (fault == SimFault::kNone || count == 0) return;
  std::deque<Entry>& queue = byStation_[station];
  if (station == 0) queue.clear();
  queue.push_back({fault, count});
}

SimFault SimFaultPlan::takeFrom(std::deque<Entry>& queue) {
  if (queue.empty()) return SimFault::kNone;
  Entry& front = queue.front();
  const SimFault fault = front.fault;
  if (front.remaining != kFaultAlways && --front.remaining <= 0) queue.pop_front();
  return fault;
}

SimFault SimFaultPlan::take(int station) {
  const SimFault own = takeFrom(byStation_[station]);
  return own != SimFault::kNone ? own : takeFrom(byStation_[0]);
}

namespace {

// The exception that replaces a reply, in the reply's own envelope.
std::vector<uint8_t> DeviceFailureInstead(const std::vector<uint8_t>& reply, bool modbusTcp) {
  const Framing framing = modbusTcp ? Framing::kMbap : Framing::kRtu;
  const uint8_t function = PduOf(framing, reply.data())[0] & 0x7F;
  return modbusTcp ? MbapExceptionReply(reply.data(), function, kDeviceFailure)
                   : ExceptionReply(reply[0], function, kDeviceFailure);
}

}  // namespace

SimShapedReply ShapeReply(std::vector<uint8_t> reply, SimFault fault, int baudRate, bool modbusTcp) {
  using std::chrono::milliseconds;
  SimShapedReply out;
  if (reply.size() < (modbusTcp ? 9u : 3u)) return out;  // nothing a module sends
  switch (fault) {
    case SimFault::kSilence: return out;
    case SimFault::kShortReply: reply.pop_back(); break;
    case SimFault::kBadCrc: (modbusTcp ? reply[2] : reply.back()) ^= 0xFF; break;
    case SimFault::kException: reply = DeviceFailureInstead(reply, modbusTcp); break;
    case SimFault::kExtraBytes: reply.insert(reply.end(), {0x55, 0xAA, 0x00}); break;
    default: break;
  }
  const size_t half = reply.size() / 2;
  // The console's interval time-out at this rate; the gap adds a margin.
  const auto interval = milliseconds(TimeoutsFor(baudRate > 0 ? baudRate : 9600).readInterval);
  if (fault == SimFault::kGap) {
    out.pieces = {{0, half, interval + milliseconds(300)}, {half, reply.size(), milliseconds(0)}};
  } else if (fault == SimFault::kVanish) {
    out.pieces = {{0, half, milliseconds(50)}};
    out.vanish = true;
  } else {
    out.pieces = {{0, reply.size(), milliseconds(0)}};
  }
  out.bytes = std::move(reply);
  return out;
}
