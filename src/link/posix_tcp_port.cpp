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
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "link/ports.h"
#include "link/posix_fd_io.h"
#include "link/tcp_address.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kIdleSliceMs = 15;

OpenError ConnectErrorOf(int error) {
  switch (error) {
    case ECONNREFUSED:
    case ECONNRESET:
      return OpenError::kRefused;
    case ENETUNREACH:
    case EHOSTUNREACH:
    case EHOSTDOWN:
    case ENETDOWN:
    case EADDRNOTAVAIL:
    case EAFNOSUPPORT:
      return OpenError::kNoHost;
    case ETIMEDOUT:
      return OpenError::kTimedOut;
    default:
      return OpenError::kOther;
  }
}

OpenError ResolveErrorOf(int error) {
  switch (error) {
    case EAI_NONAME:
    case EAI_AGAIN:
    case EAI_FAIL:
    case EAI_ADDRFAMILY:
    case EAI_NODATA:
      return OpenError::kNoHost;
    default:
      return OpenError::kOther;
  }
}

int SystemResolver(const std::string& host, const std::string& service, const addrinfo& hints,
                   addrinfo** found) {
  return ::getaddrinfo(host.c_str(), service.c_str(), &hints, found);
}

// One look-up, shared by the helper thread that runs it and the port that may
// stop waiting for it: whichever lets go last frees the addresses.
struct Lookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  int status = 0;
  addrinfo* list = nullptr;

  ~Lookup() {
    if (list) ::freeaddrinfo(list);
  }
};

}  // namespace

std::unique_ptr<SerialPort> NewTcpPort() { return std::make_unique<PosixTcpPort>(); }

PosixTcpPort::PosixTcpPort(std::chrono::milliseconds connectTimeout, Resolver resolver)
    : connectTimeout_(connectTimeout), resolver_(resolver ? std::move(resolver) : Resolver(SystemResolver)) {}

PosixTcpPort::~PosixTcpPort() { close(); }

OpenError PosixTcpPort::open(const std::string& name) {
  close();
  const std::optional<TcpAddress> address = ParseTcpPortName(name);
  if (!address) return OpenError::kNoHost;
  // One time limit for the look-up and all the host's addresses together.
  const auto giveUpAt = Clock::now() + connectTimeout_;

  // getaddrinfo cannot be cancelled and waits for an unanswered name server
  // far past the limit: it runs on its own thread while this one keeps the
  // window alive and gives up on time.
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  auto lookup = std::make_shared<Lookup>();
  try {
    std::thread([lookup, resolver = resolver_, host = address->host,
                 service = std::to_string(address->port), hints] {
      addrinfo* found = nullptr;
      const int status = resolver(host, service, hints, &found);
      const std::lock_guard<std::mutex> lock(lookup->mutex);
      lookup->status = status;
      lookup->list = status == 0 ? found : nullptr;
      lookup->done = true;
      lookup->finished.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return OpenError::kOther;  // no thread to be had
  }
  for (;;) {
    std::unique_lock<std::mutex> lock(lookup->mutex);
    const auto left = giveUpAt - Clock::now();
    if (lookup->finished.wait_for(lock, std::min<Clock::duration>(left, std::chrono::milliseconds(kIdleSliceMs)),
                                  [&] { return lookup->done; }))
      break;
    if (Clock::now() >= giveUpAt) return OpenError::kTimedOut;
    lock.unlock();
    callIdle();
  }
  if (lookup->status != 0) return ResolveErrorOf(lookup->status);

  OpenError error = OpenError::kNoHost;
  for (const addrinfo* a = lookup->list; a; a = a->ai_next) {
    error = connectTo(a->ai_addr, a->ai_addrlen, a->ai_family, giveUpAt);
    if (error == OpenError::kNone || error == OpenError::kTimedOut) break;
  }
  return error;
}

// A non-blocking connect, waited for in idle slices until `giveUpAt`.
OpenError PosixTcpPort::connectTo(const void* address, unsigned addressLength, int family,
                                  Clock::time_point giveUpAt) {
  const int fd = NonBlockingCloseOnExec(::socket(family, SOCK_STREAM, 0));
  if (fd < 0) return ConnectErrorOf(errno);
  int error = 0;
  if (::connect(fd, static_cast<const sockaddr*>(address), addressLength) != 0) {
    error = errno;
    while (error == EINPROGRESS || error == EINTR) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUpAt - Clock::now());
      if (left.count() <= 0) {
        error = ETIMEDOUT;
        break;
      }
      pollfd pfd{fd, POLLOUT, 0};
      const int ready = ::poll(&pfd, 1, static_cast<int>(std::min<int64_t>(left.count(), kIdleSliceMs)));
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
