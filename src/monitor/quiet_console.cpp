#include "monitor/quiet_console.h"


bool QuietConsole::askWarning(const std::string& text) {
  boxes_.push_back(text);
  return false;
}
