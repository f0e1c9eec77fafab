#include "console/operations.h"

#include <cassert>

#include "config/comm_params.h"
#include "config/comm_reset.h"
#include "config/write_protection.h"
#include "console/console.h"
#include "console/control_ids.h"
#include "modbus/register_tools.h"
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

void Operations::readModelOfButton(int buttonId) {
  const ReaderModel* model = FindReaderByButton(buttonId);
  assert(model && "every model button has a reader");
  RunReader(ctx_, *model);
}

void Operations::OnBnClickedRead4SXY() { readModelOfButton(ids::kRead4SXY); }
void Operations::OnBnClickedRead3SXY() { readModelOfButton(ids::kRead3SXY); }
void Operations::OnBnClickedRead8SXY() { readModelOfButton(ids::kRead8SXY); }
void Operations::OnBnClickedRead3RX() { readModelOfButton(ids::kRead3RX); }
void Operations::OnBnClickedRead4RXY() { readModelOfButton(ids::kRead4RXY); }
void Operations::OnBnClickedRead4WX() { readModelOfButton(ids::kRead4WX); }
void Operations::OnBnClickedRead16RXY() { readModelOfButton(ids::kRead16RXY); }
void Operations::OnBnClickedRead8RXYZ() { readModelOfButton(ids::kRead8RXYZ); }
void Operations::OnBnClickedRead12RX() { readModelOfButton(ids::kRead12RX); }
void Operations::OnBnClickedRead10RX() { readModelOfButton(ids::kRead10RX); }
void Operations::OnBnClickedRead5RXZ() { readModelOfButton(ids::kRead5RXZ); }
void Operations::OnBnClickedRead9VXY() { readModelOfButton(ids::kRead9VXY); }
void Operations::OnBnClickedRead5UZ() { readModelOfButton(ids::kRead5UZ); }
void Operations::OnBnClickedReadForeignMeter() { readModelOfButton(ids::kReadForeignMeter); }

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
  for (size_t i = 0; i < kCommandTableSize; ++i) {
    if (kCommandTable[i].controlId == controlId) {
      (this->*kCommandTable[i].handler)();
      return true;
    }
  }
  return false;
}

#define COMMAND(id, event, handler) {id, CommandEvent::event, &Operations::handler, #handler}
const Command kCommandTable[] = {
    COMMAND(1000, kClick, OnBnClickedOpenPort),
    COMMAND(1003, kClick, OnBnClickedRead4SXY),
    COMMAND(1004, kClick, OnBnClickedRead3SXY),
    COMMAND(1005, kClick, OnBnClickedWriteRegister),
    COMMAND(1012, kSelectionChange, OnCbnSelchangeBaudRate),
    COMMAND(1011, kClick, OnBnClickedCommReset),
    COMMAND(1013, kSelectionChange, OnCbnSelchangeLineFormat),
    COMMAND(1009, kClick, OnBnClickedRead16RXY),
    COMMAND(1001, kClick, OnBnClickedReadRegisters),
    COMMAND(1018, kClick, OnBnClickedRead8SXY),
    COMMAND(1017, kClick, OnBnClickedRead3RX),
    COMMAND(1015, kClick, OnBnClickedRead4RXY),
    COMMAND(1019, kClick, OnBnClickedRead8RXYZ),
    COMMAND(1023, kClick, OnBnClickedRead4WX),
    COMMAND(1025, kClick, OnBnClickedAllowWrite),
    COMMAND(1026, kClick, OnBnClickedForbidWrite),
    COMMAND(1027, kClick, OnBnClickedWriteRegisters),
    COMMAND(1021, kClick, OnBnClickedRead9VXY),
    COMMAND(1016, kClick, OnBnClickedReadForeignMeter),
    COMMAND(1035, kClick, OnBnClickedRead5RXZ),
    COMMAND(1036, kClick, OnBnClickedRead12RX),
    COMMAND(1037, kClick, OnBnClickedRead5UZ),
    COMMAND(1020, kSelectionChange, OnCbnSelchangeNewBaud),
    COMMAND(1038, kSelectionChange, OnCbnSelchangeNewFormat),
    COMMAND(1048, kClick, OnBnClickedChangeCommParams),
    COMMAND(1049, kClick, OnBnClickedRead10RX),
};
#undef COMMAND
const size_t kCommandTableSize = sizeof kCommandTable / sizeof kCommandTable[0];
