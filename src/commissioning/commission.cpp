#include "commissioning/commission.h"

#include <algorithm>
#include <iterator>

#include "config/comm_params.h"
#include "config/write_protection.h"
#include "console/console.h"
#include "discovery/discovery.h"
#include "discovery/probe.h"
#include "link/link.h"
#include "link/serial_port.h"
#include "modbus/config_word.h"
#include "modbus/write_journal.h"
#include "models/model_registry.h"
#include "monitor/poller.h"
#include "report/bus_report.h"
#include "console/texts.h"

namespace {

// The run's console: warnings answered yes (the user confirmed the run), boxes
// kept as the reason a step failed, the pane kept aside; the port's and the
// line's news go on to the window.
class RunConsole : public Console {
 public:
  explicit RunConsole(Console& window) : window_(window) {}
  std::string takeBoxes() {
    std::string text;
    for (const std::string& box : boxes_) text += (text.empty() ? "" : "\n") + box;
    boxes_.clear();
    return text;
  }
  void setPaneText(const std::string&) override {}
  void showInfo(const std::string& text) override { boxes_.push_back(text); }
  void showNotice(const std::string&) override {}
  bool askWarning(const std::string&) override { return true; }
  void portStateChanged(bool open) override { window_.portStateChanged(open); }
  void lineSettingsChanged(int baudIndex, int formatIndex) override {
    window_.lineSettingsChanged(baudIndex, formatIndex);
  }
  std::optional<std::string> askPort() override { return std::nullopt; }
  void pause(int milliseconds) override { window_.pause(milliseconds); }

 private:
  Console& window_;
  std::vector<std::string> boxes_;
};

int BaudIndexOf(int baudRate) {
  const auto at = std::find(std::begin(kBaudRates), std::end(kBaudRates), baudRate);
  return at == std::end(kBaudRates) ? -1 : static_cast<int>(at - std::begin(kBaudRates));
}

std::string SettingsText(int station, int baudRate, int lineFormat) {
  return Tr("commissioning", "站号 ") + std::to_string(station) + Tr("commissioning", "，") + SettingText({baudRate, lineFormat});
}

// The port and the link at these settings, as a change of the combo boxes
// followed by a reopening would leave them.
void SwitchLine(OperationContext& ctx, int baudRate, int lineFormat) {
  ctx.link.baudRate = baudRate;
  ctx.link.lineFormat = lineFormat;
  ApplyLinkSettings(ctx.link, ctx.port);
  ctx.console.lineSettingsChanged(BaudIndexOf(baudRate), lineFormat);
}

PollResult ReadOnce(OperationContext& ctx, const PollTarget& target, int station) {
  Poller poller(ctx, target, PollOptions{std::chrono::milliseconds(0), StationInput::Of(station)});
  poller.pollOnce();
  return poller.last();
}

std::string WhyNoReading(const PollResult& result) {
  return result.report.empty() ? StatusText(result) : StatusText(result) + Tr("commissioning", "：") + result.report;
}

class Run {
 public:
  Run(OperationContext& ctx, const BusFile& bus, const CommissionRequest& request)
      : console_(ctx.console), ctx_(ctx.withConsole(console_)), bus_(bus), request_(request) {}

  CommissionResult go() {
    SwitchLine(ctx_, kFactoryBaudRate, kFactoryLineFormat);
    if (!identify() || !allowWrites() || !change()) return std::move(result_);
    SwitchLine(ctx_, bus_.baudRate, bus_.lineFormat);
    if (!verify() || !forbidWrites()) return std::move(result_);
    result_.module.station = request_.newStation;
    result_.module.model = model_;
    result_.module.name = request_.name.empty() ? DefaultModuleName(request_.newStation) : request_.name;
    result_.ok = true;
    return std::move(result_);
  }

 private:
  bool fail(std::string why) {
    result_.failure = std::move(why);
    return false;
  }
  void step(std::string line) { result_.steps.push_back(std::move(line)); }
  std::string factory() const { return SettingsText(kFactoryStation, kFactoryBaudRate, kFactoryLineFormat); }
  std::string target() const { return SettingsText(request_.newStation, bus_.baudRate, bus_.lineFormat); }

  // Word 0 names the models it fits; the expected one must be among them and
  // its block must read.
  bool identify() {
    const PollResult word = ReadOnce(ctx_, PollTarget::Registers(0, 1), kFactoryStation);
    if (word.status != PollStatus::kOk || word.quantities.empty())
      return fail(Tr("commissioning", "在出厂设置（") + factory() + Tr("commissioning", "）下没有模块应答：") + WhyNoReading(word));
    const auto word0 = static_cast<uint16_t>(word.quantities.front().value);
    const std::vector<const ModelEntry*> fitting = GuessModel(word0).accepting;
    if (fitting.empty()) return fail(Tr("commissioning", "第 0 号寄存器为 ") + std::to_string(word0) + Tr("commissioning", "，没有型号与之相符。"));
    if (!request_.expected && fitting.size() > 1) {
      std::string names;
      for (const ModelEntry* model : fitting) names += std::string(" ") + model->cliName;
      return fail(Tr("commissioning", "第 0 号寄存器为 ") + std::to_string(word0) + Tr("commissioning", "，无法判别型号（") + names.substr(1) +
                  Tr("commissioning", " 都符合）：请指定型号。"));
    }
    model_ = request_.expected ? request_.expected : fitting.front();
    if (std::find(fitting.begin(), fitting.end(), model_) == fitting.end())
      return fail(Tr("commissioning", "模块不是 ") + std::string(model_->cliName) + Tr("commissioning", "：第 0 号寄存器为 ") + std::to_string(word0) + Tr("commissioning", "。"));
    first_ = ReadOnce(ctx_, PollTarget::Model(model_->reader), kFactoryStation);
    if (first_.status != PollStatus::kOk)
      return fail(Tr("commissioning", "模块不是 ") + std::string(model_->cliName) + Tr("commissioning", "，或读取失败：") + WhyNoReading(first_));
    if (ctx_.journal) ctx_.journal->noteModel(kFactoryStation, model_->cliName);
    step(Tr("commissioning", "在出厂设置（") + factory() + Tr("commissioning", "）找到模块，型号 ") + model_->cliName + Tr("commissioning", "。"));
    return true;
  }

  bool allowWrites() {
    AllowWrite(ctx_, StationInput::Of(kFactoryStation));
    if (const std::string box = console_.takeBoxes(); !box.empty()) return fail(Tr("commissioning", "允许写入失败：") + box);
    step(Tr("commissioning", "已允许写入。"));
    return true;
  }

  bool change() {
    const int64_t word = ComposeCommWord(BaudNumberForIndex(BaudIndexOf(bus_.baudRate)), bus_.lineFormat,
                                         request_.newStation);
    ChangeCommParams(ctx_, {StationInput::Of(kFactoryStation), Checked<uint16_t>::Of(static_cast<uint16_t>(word))});
    if (const std::string box = console_.takeBoxes(); !box.empty()) return fail(Tr("commissioning", "修改通讯参数失败：") + box);
    step(Tr("commissioning", "通讯参数已改为 ") + target() + Tr("commissioning", "。"));
    return true;
  }

  // The module answers at its new settings, as the same model, saying the same of itself.
  bool verify() {
    const PollResult again = ReadOnce(ctx_, PollTarget::Model(model_->reader), request_.newStation);
    if (again.status != PollStatus::kOk)
      return fail(Tr("commissioning", "模块在新的通讯参数（") + target() + Tr("commissioning", "）下没有正确应答：") + WhyNoReading(again));
    if (IdentityLines(again.report) != IdentityLines(first_.report))
      return fail(Tr("commissioning", "模块在新的通讯参数下读到的型号信息与之前不同。"));
    if (ctx_.journal) ctx_.journal->noteModel(request_.newStation, model_->cliName);
    step(Tr("commissioning", "在新的通讯参数下读取并核对无误。"));
    return true;
  }

  bool forbidWrites() {
    ForbidWrite(ctx_, StationInput::Of(request_.newStation));
    if (const std::string box = console_.takeBoxes(); !box.empty()) return fail(Tr("commissioning", "恢复写保护失败：") + box);
    step(Tr("commissioning", "已恢复写保护。"));
    return true;
  }

  RunConsole console_;
  OperationContext ctx_;
  const BusFile& bus_;
  const CommissionRequest& request_;
  const ModelEntry* model_ = nullptr;
  PollResult first_;
  CommissionResult result_;
};

}  // namespace

CommissionResult CommissionModule(OperationContext& ctx, const BusFile& bus, const CommissionRequest& request) {
  if (!ctx.link.isOpen) return {false, msg::kPortNotOpen, {}, {}};
  return Run(ctx, bus, request).go();
}

bool ModuleAtFactorySettings(OperationContext& ctx) {
  if (!ctx.link.isOpen) return false;
  RunConsole console(ctx.console);
  OperationContext quiet = ctx.withConsole(console);
  SwitchLine(quiet, kFactoryBaudRate, kFactoryLineFormat);
  return ReadOnce(quiet, PollTarget::Registers(0, 1), kFactoryStation).status == PollStatus::kOk;
}

int NextFreeStation(const BusFile& bus, int first) {
  for (int station = std::max(first, kFactoryStation + 1); station <= kLastStation; ++station) {
    const bool taken = std::any_of(bus.modules.begin(), bus.modules.end(),
                                   [station](const BusModule& m) { return m.station == station; });
    if (!taken) return station;
  }
  return 0;
}

bool AddCommissionedModule(BusFile& bus, const std::string& path, const BusModule& module, std::string* error) {
  bus.modules.push_back(module);
  return SaveBusFile(path, bus, error);
}

std::string CommissionConfirmation(const BusFile& bus, int newStation) {
  return Tr("commissioning", "将把出厂设置（") + SettingsText(kFactoryStation, kFactoryBaudRate, kFactoryLineFormat) +
         Tr("commissioning", "）的模块改为") + SettingsText(newStation, bus.baudRate, bus.lineFormat) +
         Tr("commissioning", "：先允许写入，修改通讯参数后恢复写保护。是否继续？");
}

std::string CommissionAddedText(const BusModule& module, const std::string& path) {
  return Tr("commissioning", "站号 ") + std::to_string(module.station) + Tr("commissioning", "（") + module.name + Tr("commissioning", "）已加入 ") + path;
}

std::string DefaultModuleName(int station) { return Tr("commissioning", "模块 ") + std::to_string(station); }
