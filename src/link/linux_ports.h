#pragma once
// Linux port enumeration over given sysfs and /dev roots, so that a test can hand
// it a fake tree; ListSerialPorts() is this over "/sys" and "/dev".
#include <string>
#include <vector>

#include "link/ports.h"

std::vector<SerialPortInfo> ListSerialPortsIn(const std::string& sysRoot, const std::string& devRoot);
