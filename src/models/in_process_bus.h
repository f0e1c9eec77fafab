#pragma once
// The demo bus inside this process, behind an in-memory port: --simulate where
// there is no pseudo-terminal (Windows).
#include <memory>
#include <string>

class SerialPort;

class InProcessBus {
 public:
  InProcessBus();
  // The name that opens the bus, as a port entry takes it.
  std::string portName() const;
  // A closed port that reaches the bus once opened by that name.
  std::unique_ptr<SerialPort> newPort();
  // The modules' stations, models and line settings as they are now.
  std::string describe() const;

 private:
  struct State;
  std::shared_ptr<State> state_;  // shared with the far end of every port handed out
};
