#pragma once
// The platform's port naming and enumeration. Each platform has its own source
// (linux_ports.cpp, ...); this header and its callers stay portable.
#include <cstdint>
#include <string>
#include <vector>

// The device of port number n (1-255) by this platform's rule.
std::string DeviceOfPortNumber(int32_t number);
// True when the port dialog's text names a device as it is rather than by number.
bool IsDevicePath(const std::string& text);
// Serial devices present on this machine, for the dialog's list.
std::vector<std::string> ListSerialPorts();
