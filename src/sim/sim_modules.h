#pragma once
// Simulated modules without a transport: whole request frames in, reply bytes out.
// Any transport (a pseudo-terminal, an in-memory port) frames the byte stream,
// hands each request here with the line settings the master uses, sends the
// reply, then applies the settings change it was given.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <vector>

struct SimModel;

// One module on the bus.
struct SimModuleConfig {
  int station = 1;
  const SimModel* model = nullptr;  // a model registry row's simulated module
  int baudRate = 9600;
  int lineFormat = 0;          // index into kLineFormats
  bool writesAllowed = false;  // firmware 680 and later start protected
};

// The master's line as the far end can see it. A pseudo-terminal shows the baud
// rate and stop bits, never the parity, so a module compares only these two.
struct SimLine {
  int baudRate = 9600;
  int stopBits = 1;
};

// New settings a module takes once its reply is on the line.
struct SimSettingsChange {
  size_t module = 0;  // index in the bus, in the order of add()
  int station = 1;
  int baudRate = 9600;
  int lineFormat = 0;
};

struct SimExchange {
  std::vector<uint8_t> reply;  // empty: no module answers
  SimModuleConfig replier;     // the answering module's settings (for pacing)
  std::optional<SimSettingsChange> change;
};

// Modbus exception codes the modules send.
inline constexpr uint8_t kIllegalFunction = 0x01;
inline constexpr uint8_t kIllegalAddress = 0x02;
inline constexpr uint8_t kIllegalValue = 0x03;
inline constexpr uint8_t kDeviceFailure = 0x04;
// Every write a protected module refuses gets this code.
inline constexpr uint8_t kWriteProtected = kIllegalFunction;

class SimModules {
 public:
  // Throws std::invalid_argument for a config without a model.
  void add(const SimModuleConfig& config);
  // Takes the module at `station` off the bus; false when none is there.
  bool remove(int station);
  // Refresh plausible readings before each read reply.
  void setLiveValues(bool live) { live_ = live; }
  // Fixed register words for a module (live values never overwrite them).
  void setRegisters(int station, const std::map<uint16_t, uint16_t>& words);
  uint16_t registerValue(int station, uint16_t address) const;
  std::vector<SimModuleConfig> configs() const;
  SimModuleConfig config(size_t index) const;  // throws std::out_of_range

  // One whole RTU request (CRC included) as the modules that hear `line` take
  // it; the reply is an RTU frame. A garbled frame, a broadcast and a module
  // that is not there give no reply; a broadcast's settings change is applied
  // at once.
  SimExchange handle(const uint8_t* frame, size_t size, SimLine line);
  // The same for a Modbus TCP request (MBAP header included); the reply keeps
  // its transaction id and unit.
  SimExchange handleMbap(const uint8_t* adu, size_t size, SimLine line);
  // The same for a request PDU to `station`; the reply is a PDU.
  SimExchange handlePdu(uint8_t station, const uint8_t* pdu, size_t size, SimLine line);
  void apply(const SimSettingsChange& change);

 private:
  struct Module {
    SimModuleConfig config;
    std::vector<uint16_t> regs;
    std::map<uint16_t, uint16_t> fixed;  // words that live values never overwrite
    std::mt19937 rng;
  };
  Module* byStation(int station);
  const Module* byStation(int station) const;
  std::vector<uint8_t> answer(Module& m, uint8_t station, const uint8_t* pdu, size_t size,
                              std::optional<SimSettingsChange>& change);
  uint8_t write(Module& m, uint16_t start, const std::vector<uint16_t>& values,
                std::optional<SimSettingsChange>& change);

  std::vector<Module> modules_;
  bool live_ = false;
};

// Framing of the master's byte stream: the length of the request that starts at
// bytes[0], or 0 while too few bytes have arrived to tell. The function code
// gives it (a table of fixed lengths; the byte count of 0F, 10, 14, 15 and 17;
// the MEI type of 2B); a function of no known layout ends at the shortest
// stretch whose CRC matches.
size_t RequestLength(const uint8_t* bytes, size_t size);
// Removes the whole requests at the front of `buffer` and returns them; bytes in
// front of a frame whose CRC does not match are dropped one at a time until a
// frame lines up, and so are bytes of no known layout in front of a whole
// request. What remains is the start of a request still arriving.
std::vector<std::vector<uint8_t>> TakeRequests(std::vector<uint8_t>& buffer);

std::vector<uint8_t> ExceptionReply(uint8_t station, uint8_t function, uint8_t code);
// The same under the MBAP header of a request (or of a reply to it).
std::vector<uint8_t> MbapExceptionReply(const uint8_t* requestHeader, uint8_t function, uint8_t code);

// Framing of a Modbus TCP stream: removes the whole requests at the front of
// `buffer` (each as its length field gives it) and returns them; a header that
// is not Modbus TCP's empties the buffer.
std::vector<std::vector<uint8_t>> TakeMbapRequests(std::vector<uint8_t>& buffer);

// Bits on the wire per character of a line format: start, 8 data, parity, stop.
int BitsPerCharacter(int lineFormat);
