#pragma once
// What an operation says and asks of the user: pane text, boxes, the port
// dialog, progress. A leaf interface: every operation layer talks to the user
// only through it, so the window, the CLI and tests can stand behind it. It
// reads no field: operations take typed requests (layout/form_model.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Words of consecutive registers of one station, as the register tools read or
// wrote them.
struct StationRegisters {
  int station = 0;
  uint16_t start = 0;
  std::vector<uint16_t> words;
};

// Where a module answers after an operation moved it or found it: the line
// (indexes into kBaudRates and kLineFormats) and the station. A window offers
// to follow it there.
struct ModuleLine {
  int baudIndex = 0;
  int formatIndex = 0;
  int station = 0;
  bool operator==(const ModuleLine&) const = default;
};

class Console {
 public:
  virtual ~Console() = default;

  // Replaces the output pane's whole text.
  virtual void setPaneText(const std::string& text) = 0;
  // Information box: title 提示, OK only, no icon. Ends an operation that failed.
  virtual void showInfo(const std::string& text) = 0;
  // The same box for an operation that succeeded; a front that tells the two
  // apart (the CLI's exit status) overrides it.
  virtual void showNotice(const std::string& text) { showInfo(text); }
  // That notice after an operation that moved the module to `now`; a window
  // may offer to follow it there, the text stays the same.
  virtual void showMovedNotice(const std::string& text, const ModuleLine& /*now*/) { showNotice(text); }
  // Warning box: title 警告, OK and Cancel; true when OK was chosen.
  virtual bool askWarning(const std::string& text) = 0;
  // The same box with Cancel as its default button, for changes to every
  // module on the bus or to a module's protection, which Enter must not confirm.
  virtual bool askCautiousWarning(const std::string& text) { return askWarning(text); }
  // The port was opened or closed: a window captions its open button.
  virtual void portStateChanged(bool /*open*/) {}
  // The operation set the link's line itself (the recovery scan): a window
  // shows the setting in its combo boxes, without a selection-change notification.
  virtual void lineSettingsChanged(int /*baudIndex*/, int /*formatIndex*/) {}
  // The read tool read a block, or a write tool's write was acknowledged: a
  // window shows the words in its register table.
  virtual void registersRead(const StationRegisters& /*block*/) {}
  virtual void registersWritten(const StationRegisters& /*block*/) {}
  // The port dialog: the device to open, or nothing on Cancel.
  virtual std::optional<std::string> askPort() = 0;
  virtual void pause(int milliseconds) = 0;
  // Progress of a long operation (done of total); a window may show a bar.
  virtual void progress(int /*done*/, int /*total*/) {}
};
