#include "operations/operations.h"

#include "config/comm_params.h"
#include "config/comm_reset.h"
#include "config/write_protection.h"
#include "console/console.h"
#include "console/control_ids.h"
#include "modbus/register_tools.h"
#include "models/model_registry.h"
#include "readers/reader.h"

Operations::Operations(Console& console, std::unique_ptr<SerialPort> port)
    : console_(console), port_(std::move(port)), ctx_{console_, link_, *port_, tx_, rx_} {
  port_->setIdleCallback([this] { console_.idle(); });
}

void Operations::InitLinkDefaults() {
  link_.baudRate = 9600;
  link_.lineFormat = 0;
  link_.newBaudIndex = 3;
  link_.newLineFormat = 0;
}

void Operations::OnBnClickedOpenPort() {
  console_.setPaneText("");
  if (link_.isOpen == 1) {
    ClosePort(link_, console_);
    console_.setPaneText("串口已关闭！");
    return;
  }
  const std::optional<std::string> device = console_.askPort();
  if (!device) return;
  const std::optional<PortEntry> entry = ParsePortEntry(*device);
  if (!entry) return;  // the dialog only returns entries it accepted
  link_.portNumber = entry->number;
  link_.portName = entry->device;
  console_.setPaneText(OpenPort(link_, *port_, console_) == 0 ? "串口打开成功！" : "串口打开失败！");
}

void Operations::OnCbnSelchangeBaudRate() {
  const int index = console_.comboSelection(ids::kBaudRate);
  if (index >= 0 && index < 8) link_.baudRate = kBaudRates[index];
}

void Operations::OnCbnSelchangeLineFormat() {
  const int index = console_.comboSelection(ids::kLineFormat);
  if (index >= 0) link_.lineFormat = index;
}

void Operations::OnBnClickedReadModel(const ModelEntry& model) { RunReader(ctx_, model.reader); }

void Operations::OnBnClickedReadRegisters() { ReadRegisters(ctx_); }
void Operations::OnBnClickedWriteRegister() { WriteRegister(ctx_); }
void Operations::OnBnClickedWriteRegisters() { WriteRegisters(ctx_); }
void Operations::OnBnClickedAllowWrite() { AllowWrite(ctx_); }
void Operations::OnBnClickedForbidWrite() { ForbidWrite(ctx_); }

void Operations::OnCbnSelchangeNewBaud() {
  link_.newBaudIndex = console_.comboSelection(ids::kNewBaud);
}
void Operations::OnCbnSelchangeNewFormat() {
  link_.newLineFormat = console_.comboSelection(ids::kNewFormat);
}
void Operations::OnBnClickedChangeCommParams() { ChangeCommParams(ctx_); }
void Operations::OnBnClickedCommReset() { CommReset(ctx_); }

bool Operations::Dispatch(int controlId) {
  for (const Command& command : CommandTable()) {
    if (command.controlId == controlId) {
      command.handler(*this);
      return true;
    }
  }
  return false;
}

namespace {

std::vector<Command> BuildCommandTable() {
  auto row = [](int id, CommandEvent event, void (Operations::*handler)()) {
    return Command{id, event, [handler](Operations& ops) { (ops.*handler)(); }};
  };
#define COMMAND(id, event, handler) row(id, CommandEvent::event, &Operations::handler)
  std::vector<Command> table = {
      COMMAND(ids::kOpenPort, kClick, OnBnClickedOpenPort),
      COMMAND(ids::kWriteRegister, kClick, OnBnClickedWriteRegister),
      COMMAND(ids::kBaudRate, kSelectionChange, OnCbnSelchangeBaudRate),
      COMMAND(ids::kCommReset, kClick, OnBnClickedCommReset),
      COMMAND(ids::kLineFormat, kSelectionChange, OnCbnSelchangeLineFormat),
      COMMAND(ids::kReadRegisters, kClick, OnBnClickedReadRegisters),
      COMMAND(ids::kAllowWrite, kClick, OnBnClickedAllowWrite),
      COMMAND(ids::kForbidWrite, kClick, OnBnClickedForbidWrite),
      COMMAND(ids::kWriteRegisters, kClick, OnBnClickedWriteRegisters),
      COMMAND(ids::kNewBaud, kSelectionChange, OnCbnSelchangeNewBaud),
      COMMAND(ids::kNewFormat, kSelectionChange, OnCbnSelchangeNewFormat),
      COMMAND(ids::kChangeCommParams, kClick, OnBnClickedChangeCommParams),
  };
#undef COMMAND
  for (const ModelEntry& model : Models()) {
    table.push_back({model.buttonId, CommandEvent::kClick,
                     [&model](Operations& ops) { ops.OnBnClickedReadModel(model); }});
  }
  return table;
}

}  // namespace

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table = BuildCommandTable();
  return table;
}
