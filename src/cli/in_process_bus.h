#pragma once
// The demo bus inside this process, behind an in-memory port: --simulate where
// there is no pseudo-terminal (Windows).
#include <memory>
#include <string>

#include "cli/platform.h"

class InProcessBus : public SimulatedBus {
 public:
  InProcessBus();
  std::string portName() const override;
  std::unique_ptr<SerialPort> newPort() override;

 private:
  struct State;
  std::shared_ptr<State> state_;  // shared with the far end of every port handed out
};
