#include "monitor/quiet_console.h"

#include "console/control_ids.h"

std::string QuietConsole::fieldText(int controlId) {
  if (controlId == ids::kStation && stationText) return *stationText;
  return window_.fieldText(controlId);
}

bool QuietConsole::askWarning(const std::string& text) {
  boxes_.push_back(text);
  return false;
}
