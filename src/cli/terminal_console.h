#pragma once
#include <iosfwd>
#include <optional>
#include <string>

#include "console/console.h"

// Boxes as lines on err, the pane on out, warnings asked on the terminal.
class TerminalConsole : public Console {
 public:
  TerminalConsole(std::ostream& out, std::ostream& err, std::istream& in, bool inIsTerminal)
      : out_(out), err_(err), in_(in), inIsTerminal_(inIsTerminal) {}

  std::optional<std::string> port;
  bool assumeYes = false;
  // Prints the pane as it grows (long operations show progress as it comes).
  bool streamPane = false;
  // Shows Console::progress as "done/total" on one line of err (discovery).
  bool showProgress = false;

  bool sawErrorBox() const { return sawErrorBox_; }
  bool sawCancel() const { return sawCancel_; }
  // Writes what of the final pane has not been printed yet.
  void flushPane();
  void resetPane();
  // Ends a progress line left open and stops showing progress.
  void endProgress();

  void setPaneText(const std::string& text) override;
  void showInfo(const std::string& text) override;
  void showNotice(const std::string& text) override;
  bool askWarning(const std::string& text) override;
  std::optional<std::string> askPort() override { return port; }
  void pause(int milliseconds) override;
  void progress(int done, int total) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::istream& in_;
  bool inIsTerminal_;
  std::string pane_;
  std::string shown_;  // the pane as printed so far
  bool sawErrorBox_ = false;
  bool sawCancel_ = false;
  bool progressLineOpen_ = false;
};
