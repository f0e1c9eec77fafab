#include "layout/form_model.h"

#include "console/control_ids.h"
#include "console/text.h"
#include "modbus/config_word.h"
#include "models/model_registry.h"
#include "console/texts.h"

std::string FormValues::fieldText(int controlId) const {
  const auto it = fields.find(controlId);
  return it == fields.end() ? std::string() : it->second;
}

int FormValues::comboSelection(int controlId) const {
  const auto it = combos.find(controlId);
  return it == combos.end() ? 0 : it->second;
}

FormValues InitialForm() {
  FormValues form;
  form.fields[ids::kStation] = "1";
  form.fields[ids::kNewStation] = "1";
  form.combos[ids::kBaudRate] = 3;
  form.combos[ids::kLineFormat] = 0;
  form.combos[ids::kNewBaud] = 3;
  form.combos[ids::kNewFormat] = 0;
  return form;
}

std::vector<std::string> ComboEntries(int controlId) {
  std::vector<std::string> entries;
  if (controlId == ids::kBaudRate || controlId == ids::kNewBaud)
    for (int rate : kBaudRates) entries.push_back(std::to_string(rate));
  else
    for (const LineFormat& format : kLineFormats) entries.push_back(format.text);
  return entries;
}

namespace {

// A field left empty is refused, never taken as 0: the box's own text, then
// which field.
std::string EmptyRefusal(const char* box, const std::string& field) {
  return std::string(box) + "\r\n" + field + msg::kNotFilled;
}

// A register address or value: 0-65535, an empty field refused by its name.
Checked<uint16_t> WordOf(const std::string& text, const char* box, const std::string& field) {
  if (IsBlank(text)) return Checked<uint16_t>::Refused(EmptyRefusal(box, field));
  const int32_t value = ParseDecimal(text);
  if (value < 0 || value > 65535) return Checked<uint16_t>::Refused(box);
  return Checked<uint16_t>::Of(static_cast<uint16_t>(value));
}

// A start address and a count fit the 65536 registers. The sum is taken wide:
// a saturated address plus a count must not wrap round into range.
bool BlockFits(int32_t start, int32_t count) { return start >= 0 && int64_t{start} + count <= 65536; }

RegisterBlock BlockOf(int32_t start, int32_t count) {
  return {static_cast<uint16_t>(start), static_cast<uint16_t>(count)};
}

// The multiple write's block, refused in the tool's order: start, then count.
Checked<RegisterBlock> WriteBlockOf(const FormView& form) {
  const std::string startText = form.fieldText(ids::kWriteStart);
  const std::string countText = form.fieldText(ids::kWriteCount);
  const int32_t start = ParseDecimal(startText);
  const int32_t count = ParseDecimal(countText);
  if (IsBlank(startText)) return Checked<RegisterBlock>::Refused(EmptyRefusal(kBadStartAddress, Tr("layout", "写入地址")));
  if (!BlockFits(start, count)) return Checked<RegisterBlock>::Refused(kBadStartAddress);
  if (IsBlank(countText)) return Checked<RegisterBlock>::Refused(EmptyRefusal(kBadWriteCount, Tr("layout", "写入长度")));
  if (count < 1 || count > 20) return Checked<RegisterBlock>::Refused(kBadWriteCount);
  return Checked<RegisterBlock>::Of(BlockOf(start, count));
}

// The first `count` of the twenty value cells.
Checked<std::vector<uint16_t>> WriteValuesOf(const FormView& form, int count) {
  std::vector<uint16_t> values;
  for (int k = 0; k < count; ++k) {
    const std::string text = form.fieldText(ids::kWriteValues[k]);
    std::string cell;
    appendf(cell, Tr("layout", "第 %d 个写入数据"), k + 1);
    if (IsBlank(text)) return Checked<std::vector<uint16_t>>::Refused(EmptyRefusal(kBadWriteValue, cell));
    const int32_t value = ParseDecimal(text);
    if (value < 0 || value > 65535) return Checked<std::vector<uint16_t>>::Refused(kBadWriteValue);
    values.push_back(static_cast<uint16_t>(value));
  }
  return Checked<std::vector<uint16_t>>::Of(std::move(values));
}

}  // namespace

StationInput StationOf(const FormView& form) {
  const std::string text = form.fieldText(ids::kStation);
  if (IsBlank(text)) return StationInput::Refused(EmptyRefusal(msg::kBadStation, Tr("layout", "模块站号")));
  const int32_t station = ParseDecimal(text);
  if (station < 0 || station > 255) return StationInput::Refused(msg::kBadStation);
  return StationInput::Of(station);
}

Checked<RegisterBlock> ReadToolBlockOf(const FormView& form) {
  // An empty field reads as 0 here: the read tool writes nothing.
  const int32_t start = ParseDecimal(form.fieldText(ids::kReadStart));
  const int32_t count = ParseDecimal(form.fieldText(ids::kReadCount));
  if (const char* box = ReadBlockError(start, count)) return Checked<RegisterBlock>::Refused(box);
  return Checked<RegisterBlock>::Of(BlockOf(start, count));
}

ReadRegistersRequest ReadRegistersOf(const FormView& form) { return {StationOf(form), ReadToolBlockOf(form)}; }

WriteRegisterRequest WriteRegisterOf(const FormView& form) {
  return {StationOf(form), WordOf(form.fieldText(ids::kWriteAddress), kBadRegisterAddress, Tr("layout", "写入地址")),
          WordOf(form.fieldText(ids::kWriteValue), kBadRegisterValue, Tr("layout", "写入数值")), {}};
}

WriteRegistersRequest WriteRegistersOf(const FormView& form) {
  WriteRegistersRequest request{StationOf(form), WriteBlockOf(form), {}, {}};
  // Values only count once the block does; its refusal is shown first.
  request.values = request.block.ok() ? WriteValuesOf(form, request.block->count)
                                      : Checked<std::vector<uint16_t>>::Refused(request.block.refusal);
  return request;
}

CommParamsRequest CommParamsOf(const FormView& form) {
  CommParamsRequest request{StationOf(form), {}};
  const std::string newStationText = form.fieldText(ids::kNewStation);
  const int32_t newStation = ParseDecimal(newStationText);
  if (IsBlank(newStationText)) {
    request.newWord = Checked<uint16_t>::Refused(EmptyRefusal(kBadNewStation, Tr("layout", "新站号")));
  } else if (!IsAssignableStation(newStation)) {
    request.newWord = Checked<uint16_t>::Refused(std::string(kBadNewStation) + "\r\n" + kStationRange);
  } else {
    // A combo box without a selection (-1) has no baud number; the word then
    // falls outside its fields and is refused with the rest.
    const int64_t word = ComposeCommWord(BaudNumberForIndex(form.comboSelection(ids::kNewBaud)),
                                         form.comboSelection(ids::kNewFormat), newStation);
    const bool sound = word >= 0 && word <= 0xFFFF && DecodeCommWord(static_cast<uint16_t>(word));
    request.newWord = sound ? Checked<uint16_t>::Of(static_cast<uint16_t>(word)) : Checked<uint16_t>::Refused(kBadParams);
  }
  return request;
}

namespace {

// A row whose handler takes the request that `read` builds from the form.
template <class Request>
Command Row(int id, CommandEvent event, Request (*read)(const FormView&),
            void (Operations::*handler)(const Request&)) {
  return {id, event, [read, handler](const FormView& form) -> Job {
            return [request = read(form), handler](Operations& ops) { (ops.*handler)(request); };
          }};
}

Command PlainRow(int id, void (Operations::*handler)()) {
  return {id, CommandEvent::kClick, [handler](const FormView&) -> Job {
            return [handler](Operations& ops) { (ops.*handler)(); };
          }};
}

Command ChoiceRow(int id, void (Operations::*handler)(int)) {
  return {id, CommandEvent::kSelectionChange, [id, handler](const FormView& form) -> Job {
            return [index = form.comboSelection(id), handler](Operations& ops) { (ops.*handler)(index); };
          }};
}

std::vector<Command> BuildCommandTable() {
  constexpr CommandEvent kClick = CommandEvent::kClick;
  std::vector<Command> table = {
      PlainRow(ids::kOpenPort, &Operations::OnBnClickedOpenPort),
      Row(ids::kWriteRegister, kClick, &WriteRegisterOf, &Operations::OnBnClickedWriteRegister),
      ChoiceRow(ids::kBaudRate, &Operations::OnCbnSelchangeBaudRate),
      PlainRow(ids::kCommReset, &Operations::OnBnClickedCommReset),
      ChoiceRow(ids::kLineFormat, &Operations::OnCbnSelchangeLineFormat),
      Row(ids::kReadRegisters, kClick, &ReadRegistersOf, &Operations::OnBnClickedReadRegisters),
      Row(ids::kAllowWrite, kClick, &StationOf, &Operations::OnBnClickedAllowWrite),
      Row(ids::kForbidWrite, kClick, &StationOf, &Operations::OnBnClickedForbidWrite),
      Row(ids::kWriteRegisters, kClick, &WriteRegistersOf, &Operations::OnBnClickedWriteRegisters),
      Row(ids::kChangeCommParams, kClick, &CommParamsOf, &Operations::OnBnClickedChangeCommParams),
  };
  for (const ModelEntry& model : Models()) {
    table.push_back({model.buttonId, kClick, [&model](const FormView& form) -> Job {
                       return [&model, station = StationOf(form)](Operations& ops) {
                         ops.OnBnClickedReadModel(model, station);
                       };
                     }});
  }
  return table;
}

}  // namespace

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table = BuildCommandTable();
  return table;
}

Job JobFor(int controlId, const FormView& form) {
  for (const Command& command : CommandTable())
    if (command.controlId == controlId) return command.bind(form);
  return {};
}
