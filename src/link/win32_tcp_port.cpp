#include "link/win32_tcp_port.h"

#include <winsock2.h>
#include <ws2tcpip.h>
// after winsock2.h, which must come first
#include <windows.h>

#include <algorithm>
#include <memory>

#include "link/ports.h"
#include "link/transfer_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

SOCKET S(uintptr_t socket) { return static_cast<SOCKET>(socket); }

// Winsock must be started in the process before its first call, the look-up
// thread's included. Never undone: a look-up may outlive every port.
void StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

enum class Direction { kIn, kOut };

// Waits up to `wait` until the socket can give (kIn) or take (kOut) bytes, or a
// connect in progress failed: 1 ready, 0 not yet, -1 the wait itself failed.
int WaitFor(SOCKET socket, Direction direction, std::chrono::milliseconds wait, bool* failed = nullptr) {
  fd_set ready, failure;
  FD_ZERO(&ready);
  FD_ZERO(&failure);
  FD_SET(socket, &ready);
  FD_SET(socket, &failure);
  timeval limit{static_cast<long>(wait.count() / 1000), static_cast<long>(wait.count() % 1000 * 1000)};
  const int n = ::select(0, direction == Direction::kIn ? &ready : nullptr,
                         direction == Direction::kOut ? &ready : nullptr, &failure, &limit);
  if (failed) *failed = n > 0 && FD_ISSET(socket, &failure);
  return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

ReadSome SocketReadSome(SOCKET socket) {
  return [socket](uint8_t* into, size_t room, std::chrono::milliseconds wait) -> TransferStep {
    const int ready = WaitFor(socket, Direction::kIn, wait);
    if (ready <= 0) return {ready == 0, 0};
    const int n = ::recv(socket, reinterpret_cast<char*>(into), static_cast<int>(room), 0);
    if (n > 0) return {true, static_cast<size_t>(n)};
    // 0 is the server closing the connection; a reset is an error: both failures.
    return {n < 0 && WSAGetLastError() == WSAEWOULDBLOCK, 0};
  };
}

WriteSome SocketWriteSome(SOCKET socket) {
  return [socket](const uint8_t* from, size_t room, std::chrono::milliseconds wait) -> TransferStep {
    const int n = ::send(socket, reinterpret_cast<const char*>(from), static_cast<int>(room), 0);
    if (n > 0) return {true, static_cast<size_t>(n)};
    if (n < 0 && WSAGetLastError() != WSAEWOULDBLOCK) return {false, 0};
    return {WaitFor(socket, Direction::kOut, wait) >= 0, 0};
  };
}

}  // namespace

std::unique_ptr<SerialPort> NewTcpPort() { return std::make_unique<Win32TcpPort>(); }

std::unique_ptr<SerialPort> NewTcpPort(std::chrono::milliseconds connectTimeout, TcpResolver resolver) {
  return std::make_unique<Win32TcpPort>(connectTimeout, std::move(resolver));
}

Win32TcpPort::Win32TcpPort(std::chrono::milliseconds connectTimeout, TcpResolver resolver)
    : connectTimeout_(connectTimeout),
      resolver_(resolver ? std::move(resolver) : SystemResolver()),
      socket_(INVALID_SOCKET) {
  StartWinsock();
}

Win32TcpPort::~Win32TcpPort() { close(); }

bool Win32TcpPort::isOpen() const { return S(socket_) != INVALID_SOCKET; }

OpenError Win32TcpPort::open(const std::string& name) {
  close();
  return OpenTcpConnection(name, connectTimeout_, resolver_, [this] { callIdle(); },
                           [this](const addrinfo& address, Clock::time_point giveUpAt) {
                             return connectTo(address, giveUpAt);
                           });
}

// A non-blocking connect, waited for in idle slices until `giveUpAt`.
OpenError Win32TcpPort::connectTo(const addrinfo& address, Clock::time_point giveUpAt) {
  const SOCKET socket = ::socket(address.ai_family, SOCK_STREAM, IPPROTO_TCP);
  if (socket == INVALID_SOCKET) return ConnectErrorOf(WSAGetLastError());
  // Not inherited by programs this one starts, like a close-on-exec descriptor.
  SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
  int error = 0;
  u_long nonBlocking = 1;
  if (::ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
    error = WSAGetLastError();
  } else if (::connect(socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0) {
    error = WSAGetLastError();
    while (error == WSAEWOULDBLOCK) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUpAt - Clock::now());
      if (left.count() <= 0) {
        error = WSAETIMEDOUT;
        break;
      }
      // A failed connect shows in the failure set, a made one as writable.
      bool failed = false;
      const int ready = WaitFor(socket, Direction::kOut, std::min(left, kIdleSlice), &failed);
      if (ready > 0) {
        error = 0;
        if (failed) {
          int length = sizeof error;
          if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0 ||
              error == 0)
            error = WSAGetLastError();
        }
        break;
      }
      if (ready < 0) {
        error = WSAGetLastError();
        break;
      }
      callIdle();
    }
  }
  if (error != 0) {
    ::closesocket(socket);
    return ConnectErrorOf(error);
  }
  // Frames are small and the exchange waits for each reply: send them at once.
  const BOOL on = TRUE;
  ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  socket_ = socket;
  return OpenError::kNone;
}

bool Win32TcpPort::setQueueSizes(size_t, size_t) { return isOpen(); }

bool Win32TcpPort::setTimeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return isOpen();
}

bool Win32TcpPort::setLine(int, Parity, int) {
  // The server's serial side is set on the server; the rate only sets the time-outs.
  return isOpen();
}

bool Win32TcpPort::purge() {
  if (!isOpen()) return false;
  char sink[512];
  for (;;) {
    const int n = ::recv(S(socket_), sink, sizeof sink, 0);
    if (n > 0) continue;
    // Nothing waiting is the usual end; a closed connection shows at the next transfer.
    return n < 0 && WSAGetLastError() == WSAEWOULDBLOCK;
  }
}

void Win32TcpPort::clearErrors() {
  // A connection keeps no error state to clear.
}

IoResult Win32TcpPort::write(const uint8_t* bytes, size_t count) {
  if (!isOpen()) return {false, 0};
  return WriteWithDeadline(bytes, count, timeouts_, [this] { callIdle(); }, SocketWriteSome(S(socket_)));
}

IoResult Win32TcpPort::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  if (!isOpen()) return {false, 0};
  return ReadWithDeadline(bytes, count, timeouts_, complete, [this] { callIdle(); }, SocketReadSome(S(socket_)));
}

std::vector<uint8_t> Win32TcpPort::discardUntilQuiet(int quietMs, int limitMs) {
  if (!isOpen()) return {};
  return DiscardUntilQuiet(quietMs, limitMs, SocketReadSome(S(socket_)));
}

void Win32TcpPort::close() {
  if (isOpen()) {
    ::closesocket(S(socket_));
    socket_ = INVALID_SOCKET;
  }
}
