#pragma once
// The platform's port naming and enumeration. Each platform has its own source
// (linux_ports.cpp, ...); this header and its callers stay portable.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The device of port number n (1-255) by this platform's rule.
std::string DeviceOfPortNumber(int32_t number);
// True when the port dialog's text names a device as it is rather than by number.
bool IsDevicePath(const std::string& text);

// A serial device found on this machine, as far as the system describes it.
struct SerialPortInfo {
  std::string device;        // what the port dialog accepts, e.g. /dev/ttyUSB0
  std::string description;   // e.g. the USB product string; empty when unknown
  std::string manufacturer;  // empty when unknown
  uint16_t vid = 0;          // USB vendor and product id; 0 when not USB
  uint16_t pid = 0;
  std::string stableName;    // a name that survives replugging (by-id link), or empty
};

// Serial devices present on this machine, for the dialog's list. Found without
// opening any device: an open would toggle the modem lines of a real UART.
std::vector<SerialPortInfo> ListSerialPorts();

// What the list shows beside the device: "USB-Serial Controller (Prolific, 067B:2303)",
// with only the parts that are known; empty when nothing is.
std::string PortDetails(const SerialPortInfo& port);

// A device the port dialog lists.
struct PortChoice {
  std::string device;
  std::string description;  // shown after the device when not empty
  std::string tip;          // a name that survives replugging, or empty
};
// The devices a front offers besides the machine's ports (a simulated bus),
// asked for each time the dialog opens so that a description tells how things are now.
using PortOffer = std::function<std::vector<PortChoice>()>;
// The dialog's list: the offered devices first, then the ports found here.
std::vector<PortChoice> PortDialogChoices(const std::vector<PortChoice>& offered);
// "device  description", or the device alone.
std::string PortChoiceText(const PortChoice& choice);

class SerialPort;
// A closed port of this platform's back end (termios, Win32).
std::unique_ptr<SerialPort> NewPlatformSerialPort();
// A closed port to a serial server over TCP ("tcp:HOST:PORT" names).
std::unique_ptr<SerialPort> NewTcpPort();
