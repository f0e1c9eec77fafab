#pragma once
// Faults a simulated bus puts into its replies, and the plan of which replies get
// them. Transport-free, so every transport shapes replies the same way.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

enum class SimFault {
  kNone,
  kSilence,      // no reply at all
  kShortReply,   // the reply without its last byte
  kBadCrc,       // the last CRC byte flipped (Modbus TCP: the protocol id)
  kException,    // an exception reply (code 04) instead of the data
  kExtraBytes,   // the reply followed by three stray bytes
  kGap,          // a pause longer than the interval time-out in mid-reply
  kVanish,       // half the reply, then the device disappears
};

// The name of each fault on the simulator's command line, and a few words on it.
struct SimFaultName {
  const char* name;
  SimFault fault;
  const char* what;
};
const std::vector<SimFaultName>& SimFaultNames();
std::optional<SimFault> SimFaultNamed(const std::string& name);

inline constexpr int kFaultAlways = -1;  // a count that never runs out

// Which of the coming replies carry which fault. Faults for one station come in
// the order they were added, each for its count of that station's replies.
class SimFaultPlan {
 public:
  // Station 0 stands for whichever station answers next; such a fault replaces
  // the one given before it.
  void add(int station, SimFault fault, int count = 1);
  // The fault for the reply a station is about to send (kNone for none), counted.
  SimFault take(int station);

 private:
  struct Entry {
    SimFault fault;
    int remaining;  // kFaultAlways, or how many replies are still to carry it
  };
  SimFault takeFrom(std::deque<Entry>& queue);
  std::map<int, std::deque<Entry>> byStation_;
};

// A reply as a fault leaves it: the bytes to send, in pieces with a pause after
// each, and whether the device vanishes after the last piece.
struct SimShapedReply {
  struct Piece {
    size_t from, to;
    std::chrono::milliseconds pauseAfter;
  };
  std::vector<uint8_t> bytes;
  std::vector<Piece> pieces;
  bool vanish = false;
};
// baudRate sets the gap: longer than the console's interval time-out at that rate.
// `modbusTcp`: the reply is framed with the MBAP header, not as RTU.
SimShapedReply ShapeReply(std::vector<uint8_t> reply, SimFault fault, int baudRate, bool modbusTcp = false);
