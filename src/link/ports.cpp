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

std::vector<PortChoice> PortDialogChoices(const std::vector<PortChoice>& offered) {
  std::vector<PortChoice> choices = offered;
  for (const SerialPortInfo& port : ListSerialPorts()) choices.push_back({port.device, PortDetails(port), port.stableName});
  return choices;
}

std::string PortChoiceText(const PortChoice& choice) {
  return choice.description.empty() ? choice.device : choice.device + "  " + choice.description;
}
