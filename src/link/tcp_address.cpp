#include "link/tcp_address.h"

#include "console/text.h"

namespace {

std::optional<uint16_t> PortNumber(const std::string& text) {
  const std::optional<uint64_t> port = WholeNumber(text, 65535);
  if (!port) return std::nullopt;
  return static_cast<uint16_t>(*port);
}

// A NUL would end the name the resolver sees early, so "a\0b" would reach
// host "a"; no host name or address holds a control character at all.
bool HasControlCharacter(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

bool PlainHost(const std::string& host) {
  return !host.empty() && host.find_first_of(" \t[]:/") == std::string::npos && !HasControlCharacter(host);
}

}  // namespace

bool IsModbusTcpPortName(const std::string& name) { return name.rfind(kModbusTcpPrefix, 0) == 0; }

bool IsTcpPortName(const std::string& name) {
  return name.rfind(kTcpPrefix, 0) == 0 || IsModbusTcpPortName(name);
}

std::optional<TcpAddress> ParseTcpPortName(const std::string& name) {
  if (!IsTcpPortName(name)) return std::nullopt;
  const bool modbus = IsModbusTcpPortName(name);
  std::string text = name.substr(std::char_traits<char>::length(modbus ? kModbusTcpPrefix : kTcpPrefix));
  // Modbus TCP has a port of its own, which the name may leave out: a host
  // without a colon, or a bracketed IPv6 literal with nothing after it.
  const bool portLeftOut = text.find(':') == std::string::npos || (!text.empty() && text.back() == ']');
  if (modbus && portLeftOut) text += ":" + std::to_string(kModbusTcpPort);
  std::optional<TcpAddress> address = ParseHostAndPort(text);
  if (address && address->port == 0) return std::nullopt;
  return address;
}

std::optional<TcpAddress> ParseHostAndPort(const std::string& text) {
  const size_t colon = text.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  std::string host = text.substr(0, colon);
  const std::optional<uint16_t> port = PortNumber(text.substr(colon + 1));
  if (!port) return std::nullopt;
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
    // An IPv6 literal: hexadecimal groups, colons, perhaps a dotted tail or a zone.
    if (host.find(':') == std::string::npos || host.find_first_of(" \t[]/") != std::string::npos ||
        HasControlCharacter(host))
      return std::nullopt;
  } else if (!PlainHost(host)) {
    return std::nullopt;
  }
  return TcpAddress{host, *port};
}

std::string TcpPortName(const TcpAddress& address, const char* prefix) {
  const bool ipv6 = address.host.find(':') != std::string::npos;
  const std::string host = ipv6 ? "[" + address.host + "]" : address.host;
  return prefix + host + ":" + std::to_string(address.port);
}
