// The --simulate bus of builds without a pseudo-terminal: the demo modules
// behind an in-memory port, driven by the operations as the CLI drives them.
#include "models/in_process_bus.h"

#include <gtest/gtest.h>

#include "link/link.h"
#include "link/port_by_name.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "support/fake_console.h"
#include "support/scripted_port.h"

namespace {

struct InProcessRun {
  InProcessBus bus;
  FakeConsole console;
  Operations ops{console, bus.newPort()};

  explicit InProcessRun(int baudRate = 9600) {
    SetDefaultFields(console);
    ops.InitLinkDefaults();
    ops.link().baudRate = baudRate;
    ops.link().portName = bus.portName();
  }
  bool open() { return OpenPort(ops.link(), ops.port(), console) == 0; }
};

TEST(InProcessBus, EveryModelAnswersAtItsDemoStation) {
  for (const ModelEntry& model : Models()) {
    InProcessRun run;
    ASSERT_TRUE(run.open()) << model.cliName;
    run.console.fields[ids::kStation] = std::to_string(model.demoStation);
    run.console.press(run.ops, model.buttonId);
    EXPECT_TRUE(run.console.infoTexts().empty())
        << model.cliName << ": " << run.console.infoTexts().front();
    EXPECT_NE(run.console.pane.find("十六进制显示接收数据"), std::string::npos) << model.cliName;
  }
}

TEST(InProcessBus, ModulesStaySilentOnAnotherLineAndAtAnAbsentStation) {
  const ModelEntry& model = Models().front();
  for (const auto& [baudRate, station] : {std::pair{19200, model.demoStation}, std::pair{9600, 99}}) {
    InProcessRun run(baudRate);
    ASSERT_TRUE(run.open());
    run.console.fields[ids::kStation] = std::to_string(station);
    run.console.press(run.ops, model.buttonId);
    EXPECT_EQ(run.console.infoTexts().size(), 1u) << baudRate << " " << station;
    EXPECT_EQ(run.console.pane.find("十六进制显示接收数据"), std::string::npos);
  }
}

// The Windows window's port: the bus by its own name, the machine's ports by theirs.
TEST(InProcessBus, TheWindowsPortOpensTheBusByItsNameAndOtherNamesAsBefore) {
  InProcessBus bus;
  auto serialOwned = std::make_unique<ScriptedPort>();
  ScriptedPort& serial = *serialOwned;
  PortByName port(std::move(serialOwned), nullptr);
  port.addNamed(bus.portName(), bus.newPort());
  ASSERT_EQ(port.open(bus.portName()), OpenError::kNone);
  EXPECT_EQ(serial.opens, 0);
  ASSERT_EQ(port.open("COM7"), OpenError::kNone);
  EXPECT_EQ(serial.opens, 1);
  EXPECT_EQ(bus.describe().rfind("模拟总线（9600，N,8,1）：", 0), 0u) << bus.describe();
}

}  // namespace
