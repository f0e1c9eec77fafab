#include "link/posix_tcp_port.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "link/ports.h"
#include "link/posix_fd_io.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

std::unique_ptr<SerialPort> NewTcpPort() { return std::make_unique<PosixTcpPort>(); }

std::unique_ptr<SerialPort> NewTcpPort(std::chrono::milliseconds connectTimeout, TcpResolver resolver) {
  return std::make_unique<PosixTcpPort>(connectTimeout, std::move(resolver));
}

PosixTcpPort::PosixTcpPort(std::chrono::milliseconds connectTimeout, Resolver resolver)
    : connectTimeout_(connectTimeout), resolver_(resolver ? std::move(resolver) : SystemResolver()) {}

PosixTcpPort::~PosixTcpPort() { close(); }

OpenError PosixTcpPort::open(const std::string& name) {
  close();
  return OpenTcpConnection(name, connectTimeout_, resolver_, [this] { callIdle(); },
                           [this](const addrinfo& address, Clock::time_point giveUpAt) {
                             return connectTo(address, giveUpAt);
                           });
}

// A non-blocking connect, waited for in idle slices until `giveUpAt`.
OpenError PosixTcpPort::connectTo(const addrinfo& address, Clock::time_point giveUpAt) {
  const int fd = NonBlockingCloseOnExec(::socket(address.ai_family, SOCK_STREAM, 0));
  if (fd < 0) return ConnectErrorOf(errno);
  int error = 0;
  if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
    error = errno;
    while (error == EINPROGRESS || error == EINTR) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUpAt - Clock::now());
      if (left.count() <= 0) {
        error = ETIMEDOUT;
        break;
      }
      pollfd pfd{fd, POLLOUT, 0};
      const int ready = ::poll(&pfd, 1, static_cast<int>(std::min<int64_t>(left.count(), kIdleSlice.count())));
      if (ready > 0) {
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
        break;
      }
      if (ready < 0 && errno != EINTR) {
        error = errno;
        break;
      }
      callIdle();
    }
  }
  if (error != 0) {
    ::close(fd);
    return ConnectErrorOf(error);
  }
  // Frames are small and the exchange waits for each reply: send them at once.
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  fd_ = fd;
  return OpenError::kNone;
}

bool PosixTcpPort::setQueueSizes(size_t, size_t) { return isOpen(); }

bool PosixTcpPort::setTimeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return isOpen();
}

bool PosixTcpPort::setLine(int, Parity, int) {
  // The server's serial side is set on the server; the rate only sets the time-outs.
  return isOpen();
}

bool PosixTcpPort::purge() {
  if (fd_ < 0) return false;
  uint8_t sink[512];
  for (;;) {
    const ssize_t n = ::recv(fd_, sink, sizeof sink, MSG_DONTWAIT);
    if (n > 0) continue;
    // Nothing waiting is the usual end; a closed connection shows at the next transfer.
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

void PosixTcpPort::clearErrors() {
  // A connection keeps no error state to clear.
}

IoResult PosixTcpPort::write(const uint8_t* bytes, size_t count) {
  return PosixFdWrite(fd_, FdKind::kSocket, bytes, count, timeouts_, [this] { callIdle(); });
}

IoResult PosixTcpPort::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  return PosixFdRead(fd_, bytes, count, timeouts_, complete, [this] { callIdle(); });
}

void PosixTcpPort::close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

std::vector<uint8_t> PosixTcpPort::discardUntilQuiet(int quietMs, int limitMs) {
  return PosixFdDiscardUntilQuiet(fd_, quietMs, limitMs);
}
