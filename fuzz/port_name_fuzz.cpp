// The port names a user types or passes: "tcp:HOST:PORT", "mbtcp:HOST[:PORT]" (and the simulator's
// HOST:PORT), device paths and port numbers. Checked: a name that parses names
// the host and port as written, no more and no less (a host with a control
// character or a NUL would reach the resolver as another name), and
// TcpPortName writes an address back as a name that reads the same; a port
// entry is a trimmed path, a well-formed tcp: name, or a number 1-255 with its
// platform device.
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_input.h"
#include "link/link.h"
#include "link/ports.h"
#include "link/tcp_address.h"

namespace {

bool SameAddress(const std::optional<TcpAddress>& a, const TcpAddress& b) {
  return a && a->host == b.host && a->port == b.port;
}

void CheckAddress(const std::string& text, const TcpAddress& address, uint16_t lowestPort) {
  Require(!address.host.empty(), "an address without a host");
  Require(address.port >= lowestPort, "a port number below the range");
  for (const char c : address.host)
    Require(static_cast<uint8_t>(c) >= 0x20 && c != 0x7F, "a host with a control character");
  // As written: the host, bracketed when it is an IPv6 literal, a colon, then
  // the port's digits (leading zeros allowed).
  const bool bracketed = !text.empty() && text[0] == '[';
  const std::string host = bracketed ? "[" + address.host + "]" : address.host;
  Require(text.compare(0, host.size(), host) == 0 && text.size() > host.size() + 1 &&
              text[host.size()] == ':',
          "an address whose host is not the one written");
  const std::string digits = text.substr(host.size() + 1);
  Require(digits.find_first_not_of("0123456789") == std::string::npos && std::stoul(digits) == address.port,
          "an address whose port is not the one written");
  const std::string name = TcpPortName(address);
  Require(IsTcpPortName(name), "a written name without its prefix");
  Require(SameAddress(ParseHostAndPort(name.substr(4)), address), "a written name that reads back otherwise");
  if (address.port != 0)
    Require(SameAddress(ParseTcpPortName(name), address), "a written tcp: name that reads back otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  if (const std::optional<TcpAddress> address = ParseHostAndPort(text)) CheckAddress(text, *address, 0);

  const std::optional<TcpAddress> tcp = ParseTcpPortName(text);
  if (tcp) {
    Require(IsTcpPortName(text), "a tcp: address from a name without the prefix");
    const bool modbus = IsModbusTcpPortName(text);
    std::string written = text.substr(modbus ? 6 : 4);
    // A Modbus TCP name may leave its port out; it is 502 then.
    if (modbus && (written.find(':') == std::string::npos || written.back() == ']')) {
      Require(tcp->port == kModbusTcpPort, "an mbtcp: name without a port, not at 502");
      written += ":502";
    }
    CheckAddress(written, *tcp, 1);
  }

  if (const std::optional<PortEntry> entry = ParsePortEntry(text)) {
    if (entry->number == 0) {
      const std::string& device = entry->device;
      Require(!device.empty() && device.find_first_of(" \t") != 0 &&
                  device.find_last_not_of(" \t") == device.size() - 1,
              "a port entry whose path is not trimmed");
      Require(text.find(device) != std::string::npos, "a port entry naming another path");
      Require(IsTcpPortName(device) ? ParseTcpPortName(device).has_value() : IsDevicePath(device),
              "a port entry that is neither a well-formed tcp: name nor a path");
    } else {
      Require(entry->number >= 1 && entry->number <= 255, "a port number out of range");
      Require(entry->device == DeviceOfPortNumber(entry->number), "a port number with another device");
    }
  }
  return 0;
}
