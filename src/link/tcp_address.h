#pragma once
// The name of a connection to a serial server: "tcp:HOST:PORT", with an IPv6
// literal in brackets ("tcp:[::1]:4001"), which carries RTU frames as they are;
// or of a Modbus TCP connection, "mbtcp:HOST:PORT" or "mbtcp:HOST" for port
// 502, which frames them with the MBAP header. Portable text rules only; the
// sockets live in the platform's TCP back end.
#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* kTcpPrefix = "tcp:";
inline constexpr const char* kModbusTcpPrefix = "mbtcp:";
inline constexpr uint16_t kModbusTcpPort = 502;

struct TcpAddress {
  std::string host;  // a name or an address, without brackets
  uint16_t port = 0;
};

// True when the name asks for TCP (either kind), whether or not the rest is
// well formed.
bool IsTcpPortName(const std::string& name);
// True when it asks for Modbus TCP.
bool IsModbusTcpPortName(const std::string& name);
// The address of a well-formed name: a non-empty host and a port 1-65535.
std::optional<TcpAddress> ParseTcpPortName(const std::string& name);
// "HOST:PORT" without the prefix, port 0-65535 (0 where a listener lets the
// system pick one).
std::optional<TcpAddress> ParseHostAndPort(const std::string& text);
// The name that ParseTcpPortName reads back as `address`, of either kind.
std::string TcpPortName(const TcpAddress& address, const char* prefix = kTcpPrefix);
