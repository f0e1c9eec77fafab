#pragma once
// A simulated bus of modules, served on the master side of a pseudo-terminal.
// The console opens the slave side (devicePath()) like any serial device.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
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

// Faults the bus injects into its next reply (tests and demonstrations).
enum class SimFault {
  kNone,
  kSilence,      // no reply at all
  kShortReply,   // the reply without its last byte
  kBadCrc,       // the last CRC byte flipped
  kException,    // an exception reply (code 04) instead of the data
  kExtraBytes,   // the reply followed by three stray bytes
  kGap,          // a pause longer than the interval time-out in mid-reply
  kVanish,       // half the reply, then the device disappears
};

class SimBus {
 public:
  SimBus();  // opens the pseudo-terminal; throws std::runtime_error on failure
  ~SimBus();
  SimBus(const SimBus&) = delete;
  SimBus& operator=(const SimBus&) = delete;

  const std::string& devicePath() const;

  void addModule(const SimModuleConfig& config);
  // Fixed register words for a module (replaces live values for those registers).
  void setRegisters(int station, const std::map<uint16_t, uint16_t>& words);
  uint16_t registerValue(int station, uint16_t address) const;
  // The module's current settings (they change when a configuration word lands).
  SimModuleConfig moduleConfig(int index) const;
  std::vector<SimModuleConfig> modules() const;

  void injectFault(SimFault fault);  // applies to the next reply only
  void setPaced(bool paced);         // send at the wire speed of the line
  void setLiveValues(bool live);     // refresh plausible readings before each reply

  // Every request frame that reached the bus, in order (whatever the settings).
  std::vector<std::vector<uint8_t>> receivedFrames() const;
  void clearReceived();

  void start();  // serves on a thread until stop() or destruction
  void stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Loads "register=value" lines (decimal or 0x hex), '#' starts a comment.
std::map<uint16_t, uint16_t> LoadRegisterValues(const std::string& path);
