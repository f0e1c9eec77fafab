#pragma once
// What a front shows of a job: everything the operations say, called on the
// front's thread. Nothing here may block or spin a nested event loop: a box or
// the port dialog is opened, and its answer handed on when the user closes it.
#include <functional>
#include <optional>
#include <string>

#include "console/console.h"

enum class BoxKind {
  kInfo,             // 提示, OK only: an operation failed
  kNotice,           // 提示, OK only: an operation succeeded
  kWarning,          // 警告, OK and Cancel
  kCautiousWarning,  // 警告 with Cancel as the default button
};

class SessionView {
 public:
  virtual ~SessionView() = default;

  virtual void setPaneText(const std::string& text) = 0;
  // `closed` takes true for OK (an info box or notice is always OK), false for
  // Cancel. A front that drops `closed` without calling it has answered Cancel,
  // so a box destroyed with its window never leaves the worker waiting. Calling
  // it after the session has ended is harmless.
  virtual void showBox(BoxKind kind, const std::string& text, std::function<void(bool ok)> closed) = 0;
  // A notice after an operation moved the module to `now`: a window may add a
  // button that follows it there. The same rules as for `closed`.
  virtual void showMovedNotice(const std::string& text, const ModuleLine& /*now*/, std::function<void(bool ok)> closed) {
    showBox(BoxKind::kNotice, text, std::move(closed));
  }
  // The port dialog; `answered` takes the device, or nothing on Cancel. The
  // same rules as for `closed`.
  virtual void askPort(std::function<void(std::optional<std::string> device)> answered) = 0;
  // The port was opened or closed: the open button's caption.
  virtual void portStateChanged(bool /*open*/) {}
  // The operation set the line itself: the combo boxes, without a
  // selection-change notification.
  virtual void lineSettingsChanged(int /*baudIndex*/, int /*formatIndex*/) {}
  virtual void progress(int /*done*/, int /*total*/) {}
  // The register tools' words: the register table.
  virtual void registersRead(const StationRegisters& /*block*/) {}
  virtual void registersWritten(const StationRegisters& /*block*/) {}
};
