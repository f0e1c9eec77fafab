#pragma once
// A simulated bus of modules, served on the master side of a pseudo-terminal,
// whose slave side the console opens like any serial device, or behind a TCP
// listener as a serial server in transparent mode. The modules' rules live in
// SimModules; this is their transport (posix_sim_bus.cpp over the endpoints of
// sim/posix_sim_endpoint.h): the thread, framing of the byte stream, pacing at
// the wire speed and faults.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "link/tcp_address.h"
#include "sim/sim_faults.h"
#include "sim/sim_modules.h"

class SimBus {
 public:
  SimBus();  // opens the pseudo-terminal; throws std::runtime_error on failure
  // Listens on `listenOn` (port 0: one the system picks) and serves one client
  // at a time, closing one that sends nothing for `idleTimeout` (0: never) so
  // that the next gets the slot; its serial side is 9600 baud, one stop bit.
  // Throws std::runtime_error when it cannot listen.
  // `modbusTcp`: a Modbus TCP server (MBAP framing) rather than a serial server.
  explicit SimBus(const TcpAddress& listenOn,
                  std::chrono::milliseconds idleTimeout = kDefaultIdleTimeout, bool modbusTcp = false);
  static constexpr std::chrono::milliseconds kDefaultIdleTimeout{60000};
  ~SimBus();
  SimBus(const SimBus&) = delete;
  SimBus& operator=(const SimBus&) = delete;

  // What the console opens: the slave device, "tcp:HOST:PORT" or "mbtcp:HOST:PORT".
  const std::string& devicePath() const;

  void addModule(const SimModuleConfig& config);
  // A module plugged in or pulled out while the bus serves: false when the
  // station is taken, or has no module.
  bool plugModule(const SimModuleConfig& config);
  bool unplugModule(int station);
  // Fixed register words for a module (replaces live values for those registers).
  void setRegisters(int station, const std::map<uint16_t, uint16_t>& words);
  uint16_t registerValue(int station, uint16_t address) const;
  // The module's current settings (they change when a configuration word lands).
  SimModuleConfig moduleConfig(int index) const;
  std::vector<SimModuleConfig> modules() const;

  // The next reply, whichever station gives it (replaces an earlier such fault).
  void injectFault(SimFault fault);
  // The next `count` replies of one station (kFaultAlways: every one), after the
  // faults already planned for that station.
  void injectFault(int station, SimFault fault, int count);
  // Send at the wire speed of the line (10 or 11 bits per character): the request
  // takes its wire time to arrive, then the turnaround, then the reply byte by byte.
  void setPaced(bool paced);
  // The module's pause between the end of a request and its reply. Unset, it is
  // 3.5 character times when paced and nothing otherwise.
  void setTurnaround(std::chrono::microseconds turnaround);
  void setLiveValues(bool live);  // refresh plausible readings before each reply

  // Every request frame that reached the bus, in order (whatever the settings).
  std::vector<std::vector<uint8_t>> receivedFrames() const;
  void clearReceived();

  // Returns once the reply on the line, if any, has been sent in full (a gapped
  // reply's late half too), so that a next request cannot run into it.
  void waitUntilSent() const;

  // True once a vanish fault has closed the device (or the listener and its client).
  bool vanished() const;

  // What the bus did on its own that the user should hear of (a client closed
  // for idling), called on the serving thread. Set before start().
  void onNotice(std::function<void(const std::string&)> notice);

  void start();  // serves on a thread until stop() or destruction
  void stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
