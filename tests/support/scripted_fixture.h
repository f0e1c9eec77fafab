#pragma once
// Operations on a port without a device: the fixture the config and register
// tool tests share, so each exchange's frames and failures can be scripted.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "operations/operations.h"
#include "support/fake_console.h"
#include "support/hex.h"
#include "support/scripted_port.h"

// A port number, so that the entry names a device on every platform.
inline constexpr const char* kScriptedPortEntry = "7";

// A console type other than FakeConsole (one that records more) may stand in.
template <class ConsoleT>
class ScriptedFixtureWith : public ::testing::Test {
 protected:
  ConsoleT console;
  ScriptedPort* port = new ScriptedPort;  // owned by ops
  Operations ops{console, std::unique_ptr<SerialPort>(port)};

  // A test's own SetUp calls this first, fills its fields, then opens. The
  // combo boxes start as the window's do.
  void SetUp() override {
    ops.InitLinkDefaults();
    console.combos = InitialForm().combos;
  }

  // Opens the port the way button 1000 does.
  void OpenScriptedPort() {
    console.portAnswer = kScriptedPortEntry;
    ops.OnBnClickedOpenPort();
    ASSERT_EQ(ops.link().isOpen, 1);
  }

  // The boxes shown, each as kind + ":" + text.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> out;
    for (const auto& b : console.boxes) out.push_back(b.kind + ":" + b.text);
    return out;
  }

  // The same with the first line of each box only: the system's own text, which
  // a second line of facts follows.
  std::vector<std::string> BoxHeads() const {
    std::vector<std::string> out;
    for (const auto& b : console.boxes) out.push_back(b.kind + ":" + b.text.substr(0, b.text.find("\r\n")));
    return out;
  }

  void ExpectNothingSent() {
    EXPECT_TRUE(port->written.empty());
    EXPECT_EQ(console.pane, "");
  }
};

using ScriptedFixture = ScriptedFixtureWith<FakeConsole>;
