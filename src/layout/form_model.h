#pragma once
// The form model: reads the main window's fields and combo boxes (by control
// id) and turns them into the typed requests the operations take, with the
// system's own refusal boxes. Both windows and the CLI go through it; nothing
// below this layer knows a control id.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/comm_params.h"
#include "modbus/register_tools.h"
#include "operations/operations.h"

// What a front's form holds now (UTF-8 texts, combo indexes, -1 for none).
class FormView {
 public:
  virtual ~FormView() = default;
  virtual std::string fieldText(int controlId) const = 0;
  virtual int comboSelection(int controlId) const = 0;
};

// A form held as plain values: the CLI's arguments, tests. A field never set
// is empty; a combo never set has index 0.
struct FormValues : FormView {
  std::map<int, std::string> fields;
  std::map<int, int> combos;

  std::string fieldText(int controlId) const override;
  int comboSelection(int controlId) const override;
};

// The form as the window opens: station 1 in both station fields, 9600 and
// "N,8,1" in both pairs of combo boxes.
FormValues InitialForm();
// The entries of one of the form's combo boxes, in index order: the baud
// rates for the two baud boxes, the line formats for the two format boxes.
std::vector<std::string> ComboEntries(int controlId);

StationInput StationOf(const FormView& form);
Checked<RegisterBlock> ReadToolBlockOf(const FormView& form);
ReadRegistersRequest ReadRegistersOf(const FormView& form);
WriteRegisterRequest WriteRegisterOf(const FormView& form);
WriteRegistersRequest WriteRegistersOf(const FormView& form);
CommParamsRequest CommParamsOf(const FormView& form);

// What a control starts, with its request read from the form at the moment of
// the click, to run later wherever the port lives.
using Job = std::function<void(Operations&)>;

// The command table: control id, event, and the job built from the form. The
// model buttons' rows come from the model registry.
enum class CommandEvent { kClick, kSelectionChange };
struct Command {
  int controlId;
  CommandEvent event;
  std::function<Job(const FormView&)> bind;
};
const std::vector<Command>& CommandTable();

// The job of a control, bound to the form as it is now; empty for an id
// without a command.
Job JobFor(int controlId, const FormView& form);
