#pragma once
// The best test of an operation runs it whole: Operations + a scripted console +
// the real POSIX serial back end on a pseudo-terminal + simulated modules.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "console/control_ids.h"
#include "operations/operations.h"
#include "link/posix_serial_port.h"
#include "sim/sim_bus.h"
#include "support/fake_console.h"
#include "support/hex.h"

// A console type other than FakeConsole (one that records more) may stand in.
template <class ConsoleT>
class BusFixtureWith : public ::testing::Test {
 protected:
  ConsoleT console;
  std::unique_ptr<SimBus> bus = std::make_unique<SimBus>();
  Operations ops{console, std::make_unique<PosixSerialPort>()};

  void SetUp() override {
    ops.InitLinkDefaults();
    SetDefaultFields(console);
  }

  // Adds a module and starts serving (call before OpenBus).
  void AddModule(const SimModuleConfig& config) { bus->addModule(config); }

  // Starts the bus and opens the port the way button 1000 does.
  void OpenBus() {
    bus->start();
    console.portAnswer = bus->devicePath();
    ops.OnBnClickedOpenPort();
    ASSERT_EQ(ops.link().isOpen, 1) << console.pane;
    console.boxes.clear();
    console.paneHistory.clear();
  }
};

using BusFixture = BusFixtureWith<FakeConsole>;
