#include "link/ports.h"

#include "console/text.h"

std::string PortDetails(const SerialPortInfo& port) {
  std::string extra = port.manufacturer;
  if (port.vid != 0 || port.pid != 0) {
    if (!extra.empty()) extra += ", ";
    appendf(extra, "%04X:%04X", port.vid, port.pid);
  }
  if (extra.empty()) return port.description;
  if (port.description.empty()) return extra;
  return port.description + " (" + extra + ")";
}
