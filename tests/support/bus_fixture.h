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

  // The request section that every failure after sending leaves in the pane.
  static std::string RequestSection(const uint8_t* bytes, int count) {
    std::string s = "十六进制显示发送数据：\r\n";
    static const char* hex = "0123456789ABCDEF";
    for (int i = 0; i < count; ++i) {
      s += hex[bytes[i] >> 4];
      s += hex[bytes[i] & 15];
      s += ' ';
    }
    return s;
  }
};

using BusFixture = BusFixtureWith<FakeConsole>;
