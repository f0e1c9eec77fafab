// The simulated bus behind a TCP listener, as a serial server in transparent
// mode shows it (the RTU frames as they are) or as a Modbus TCP gateway does
// (the MBAP header in place of station and CRC): one client at a time. The
// server's serial side is fixed at the modules' default line, 9600 baud and
// one stop bit.
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "link/posix_fd_io.h"
#include "sim/posix_sim_endpoint.h"

namespace {

using Clock = std::chrono::steady_clock;

void Close(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

int Accept(int listener) {
  const int fd = NonBlockingCloseOnExec(::accept(listener, nullptr, nullptr));
  if (fd >= 0) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return fd;
}

// True when the peer has closed its end (or the connection has failed).
bool PeerGone(int fd) {
  char c;
  const ssize_t n = ::recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

std::string Seconds(std::chrono::milliseconds span) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(span.count()) / 1000);
  return text;
}

class TcpEndpoint : public SimEndpoint {
 public:
  TcpEndpoint(const TcpAddress& address, std::chrono::milliseconds idleTimeout, bool modbusTcp)
      : idleTimeout_(idleTimeout), modbusTcp_(modbusTcp) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(address.host.c_str(), std::to_string(address.port).c_str(),
                                       &hints, &found);
    if (resolved != 0)
      throw std::runtime_error("cannot listen on " + address.host + ": " + ::gai_strerror(resolved));
    int error = 0;
    for (const addrinfo* a = found; a && listener_ < 0; a = a->ai_next) error = listenOn(*a);
    ::freeaddrinfo(found);
    if (listener_ < 0)
      throw std::runtime_error("cannot listen on " + TcpPortName(address).substr(std::strlen(kTcpPrefix)) + ": " +
                               std::strerror(error));
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length);
    const uint16_t port = bound.ss_family == AF_INET6
                              ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                              : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    name_ = TcpPortName({address.host, port}, modbusTcp ? kModbusTcpPrefix : kTcpPrefix);
  }
  ~TcpEndpoint() override { vanish(); }

  const std::string& name() const override { return name_; }
  bool modbusTcp() const override { return modbusTcp_; }

  int stream(int waitMs) override {
    if (client_ >= 0 && idleTimeout_.count() > 0 && Clock::now() - lastHeard_ >= idleTimeout_) {
      // One that holds the only connection and says nothing would keep every
      // other console out for good.
      Close(client_);
      if (notice) notice("closed a client that sent nothing for " + Seconds(idleTimeout_) + " s");
    }
    if (client_ >= 0) {
      takeNewcomers();
      return client_;
    }
    pollfd pfd{listener_, POLLIN, 0};
    if (listener_ < 0 || ::poll(&pfd, 1, waitMs) <= 0) return -1;
    client_ = Accept(listener_);
    lastHeard_ = Clock::now();
    return client_;
  }

  void hangUp() override { Close(client_); }
  SimLine line() const override { return SimLine{9600, 1}; }

  ssize_t receive(uint8_t* bytes, size_t count) override {
    const ssize_t n = ::recv(client_, bytes, count, 0);
    if (n > 0) lastHeard_ = Clock::now();
    return n;
  }

  // The time a reply takes is not the client's silence.
  ssize_t send(const uint8_t* bytes, size_t count) override {
    const ssize_t n = ::send(client_, bytes, count, MSG_NOSIGNAL);
    if (n > 0) lastHeard_ = Clock::now();
    return n;
  }

  void vanish() override {
    Close(client_);
    Close(listener_);
  }

 private:
  // Returns 0 once listening, else the error.
  int listenOn(const addrinfo& a) {
    const int fd = NonBlockingCloseOnExec(::socket(a.ai_family, SOCK_STREAM, 0));
    if (fd < 0) return errno;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd, a.ai_addr, a.ai_addrlen) != 0 || ::listen(fd, 4) != 0) {
      const int error = errno;
      ::close(fd);
      return error;
    }
    listener_ = fd;
    return 0;
  }

  // A second client while one is served is closed at once, as a serial server
  // that takes one connection does; it then fails its transfer instead of waiting.
  // A client that closed and came straight back takes the place of its old
  // connection, whose end may not have been read yet.
  void takeNewcomers() {
    for (int other; listener_ >= 0 && (other = Accept(listener_)) >= 0;) {
      if (PeerGone(client_)) {
        Close(client_);
        client_ = other;
        lastHeard_ = Clock::now();
      } else {
        ::close(other);
      }
    }
  }

  int listener_ = -1;
  int client_ = -1;
  std::chrono::milliseconds idleTimeout_;
  bool modbusTcp_;
  Clock::time_point lastHeard_;  // the client's last byte, its arrival, or our last reply
  std::string name_;
};

}  // namespace

std::unique_ptr<SimEndpoint> NewTcpEndpoint(const TcpAddress& address, std::chrono::milliseconds idleTimeout,
                                            bool modbusTcp) {
  return std::make_unique<TcpEndpoint>(address, idleTimeout, modbusTcp);
}
