#pragma once
// The console a monitor's exchanges run with: they take the same path as a
// button's, but a failed poll must not stop the polling with a modal box. Boxes
// are recorded instead of shown and the pane is kept aside.
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"

class QuietConsole : public Console {
 public:
  explicit QuietConsole(Console& window) : window_(window) {}

  // The boxes shown since the last clear, in order (warnings are answered Cancel).
  const std::vector<std::string>& boxes() const { return boxes_; }
  void clearBoxes() { boxes_.clear(); }
  const std::string& pane() const { return pane_; }

  void setPaneText(const std::string& text) override { pane_ = text; }
  void showInfo(const std::string& text) override { boxes_.push_back(text); }
  void showNotice(const std::string& text) override { boxes_.push_back(text); }
  bool askWarning(const std::string& text) override;
  std::optional<std::string> askPort() override { return std::nullopt; }
  // A reader's pause between its requests is part of its exchange.
  void pause(int milliseconds) override { window_.pause(milliseconds); }

 private:
  Console& window_;
  std::vector<std::string> boxes_;
  std::string pane_;
};
