#pragma once
// Opening a TCP connection, the part that is the same over BSD sockets and
// Winsock: the name, one time limit for the look-up and the connects together,
// the look-up on a thread of its own, the host's addresses in turn, and what a
// failure means to the user. A back end supplies the connect to one address.
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "link/serial_port.h"
#include "link/transfer_loop.h"

struct addrinfo;

// The limit for the name look-up and the connect together.
inline constexpr std::chrono::milliseconds kTcpConnectTimeout{3000};

// getaddrinfo's contract: a status (0 or EAI_*) and, on 0, a list that
// freeaddrinfo releases. It runs on a helper thread that the open stops
// waiting for at the connect limit, so it must own everything it uses.
using TcpResolver = std::function<int(const std::string& host, const std::string& service,
                                      const addrinfo& hints, addrinfo** found)>;
// The system's getaddrinfo.
TcpResolver SystemResolver();

// Connects to one of the host's addresses, giving up at `giveUpAt`.
using TcpConnect =
    std::function<OpenError(const addrinfo& address, std::chrono::steady_clock::time_point giveUpAt)>;

// Opens `name` ("tcp:HOST:PORT" or "mbtcp:HOST[:PORT]", link/tcp_address.h)
// within `limit`: looks the host up, then tries its addresses in turn until one
// connects or the time is up. `idle` runs about every kIdleSlice meanwhile.
OpenError OpenTcpConnection(const std::string& name, std::chrono::milliseconds limit,
                            const TcpResolver& resolver, const IdleCall& idle, const TcpConnect& connect);

// A socket call's error (errno; WSAGetLastError on Windows) in the user's terms.
OpenError ConnectErrorOf(int error);

// The platform's TCP back end with its own connect limit and name look-up
// (tests); NewTcpPort() in link/ports.h is the one with the defaults.
std::unique_ptr<SerialPort> NewTcpPort(std::chrono::milliseconds connectTimeout, TcpResolver resolver = {});
