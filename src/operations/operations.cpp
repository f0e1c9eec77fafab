#include "operations/operations.h"

#include "config/comm_params.h"
#include "config/comm_reset.h"
#include "config/write_protection.h"
#include "console/console.h"
#include "modbus/register_tools.h"
#include "models/model_registry.h"
#include "readers/reader.h"
#include "console/texts.h"

Operations::Operations(Console& console, std::unique_ptr<SerialPort> port)
    : console_(console), port_(std::move(port)), ctx_{console_, link_, *port_, tx_, rx_} {}

void Operations::InitLinkDefaults() {
  link_.baudRate = 9600;
  link_.lineFormat = 0;
}

void Operations::journalWrites(std::unique_ptr<WriteJournal> journal, bool readBeforeWrite) {
  journal_ = std::move(journal);
  ctx_.journal = journal_.get();
  ctx_.readBeforeWrite = readBeforeWrite;
}

void Operations::OnBnClickedOpenPort() {
  console_.setPaneText("");
  if (link_.isOpen == 1) {
    ClosePort(link_, console_);
    console_.setPaneText(Tr("operations", "串口已关闭！"));
    return;
  }
  const std::optional<std::string> device = console_.askPort();
  if (!device) return;
  const std::optional<PortEntry> entry = ParsePortEntry(*device);
  if (!entry) return;  // the dialog only returns entries it accepted
  link_.portNumber = entry->number;
  link_.portName = entry->device;
  console_.setPaneText(OpenPort(link_, *port_, console_) == 0 ? Tr("operations", "串口打开成功！") : Tr("operations", "串口打开失败！"));
}

void Operations::OnCbnSelchangeBaudRate(int index) {
  if (index >= 0 && index < 8) link_.baudRate = kBaudRates[index];
}

void Operations::OnCbnSelchangeLineFormat(int index) {
  if (index >= 0) link_.lineFormat = index;
}

void Operations::SwitchToLine(int baudIndex, int formatIndex) {
  OnCbnSelchangeBaudRate(baudIndex);
  OnCbnSelchangeLineFormat(formatIndex);
  if (link_.isOpen != 1) return;
  ClosePort(link_, console_);
  OpenPort(link_, *port_, console_);  // a failure has its box
}

void Operations::OnBnClickedReadModel(const ModelEntry& model, const StationInput& station) {
  // The journal names the model in the entries of the station's writes.
  if (RunReader(ctx_, model.reader, station) && journal_) journal_->noteModel(*station, model.cliName);
}

void Operations::OnBnClickedReadRegisters(const ReadRegistersRequest& request) { ReadRegisters(ctx_, request); }
void Operations::OnBnClickedWriteRegister(const WriteRegisterRequest& request) { WriteRegister(ctx_, request); }
void Operations::OnBnClickedWriteRegisters(const WriteRegistersRequest& request) {
  WriteRegisters(ctx_, request);
}
void Operations::OnBnClickedAllowWrite(const StationInput& station) { AllowWrite(ctx_, station); }
void Operations::OnBnClickedForbidWrite(const StationInput& station) { ForbidWrite(ctx_, station); }
void Operations::OnBnClickedChangeCommParams(const CommParamsRequest& request) {
  ChangeCommParams(ctx_, request);
}
void Operations::OnBnClickedCommReset() { CommReset(ctx_); }
