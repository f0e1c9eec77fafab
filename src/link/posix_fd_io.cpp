#include "link/posix_fd_io.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "link/transfer_deadline.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kIdleSliceMs = 15;

// Milliseconds since the start of a transfer, the time base of TransferDeadline.
class Elapsed {
 public:
  explicit Elapsed(const TransferClock& clock) : clock_(clock), start_(now()) {}
  TransferDeadline::Ms operator()() const {
    return std::chrono::duration_cast<TransferDeadline::Ms>(now() - start_);
  }

 private:
  Clock::time_point now() const { return clock_ ? clock_() : Clock::now(); }
  const TransferClock& clock_;
  Clock::time_point start_;
};

// How long one poll may wait: the time left, but at most one idle slice.
int PollWait(const TransferDeadline& deadline, const Elapsed& since) {
  const auto left = deadline.left(since());
  if (!left) return kIdleSliceMs;
  return static_cast<int>(std::min<int64_t>(left->count(), kIdleSliceMs));
}

// A peer that has gone must fail the write, not raise SIGPIPE in the program.
ssize_t WriteSome(int fd, FdKind kind, const uint8_t* bytes, size_t count) {
  if (kind == FdKind::kSocket) return ::send(fd, bytes, count, MSG_NOSIGNAL);
  return ::write(fd, bytes, count);
}

void Call(const IdleCall& idle) {
  if (idle) idle();
}

}  // namespace

IoResult PosixFdWrite(int fd, FdKind kind, const uint8_t* bytes, size_t count,
                      const PortTimeouts& timeouts, const IdleCall& idle, const TransferClock& clock) {
  IoResult result{fd >= 0, 0};
  if (fd < 0) return result;
  const Elapsed since(clock);
  const TransferDeadline deadline = TransferDeadline::forWrite(timeouts, count);
  while (result.count < count) {
    const ssize_t n = WriteSome(fd, kind, bytes + result.count, count - result.count);
    if (n > 0) {
      result.count += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return {false, result.count};
    if (deadline.expired(since())) break;
    pollfd pfd{fd, POLLOUT, 0};
    const int ready = ::poll(&pfd, 1, PollWait(deadline, since));
    if (ready > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))) return {false, result.count};
    Call(idle);
  }
  return result;
}

IoResult PosixFdRead(int fd, uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                     const SerialPort::CompleteTest& complete, const IdleCall& idle,
                     const TransferClock& clock) {
  IoResult result{fd >= 0, 0};
  if (fd < 0) return result;
  const Elapsed since(clock);
  TransferDeadline deadline = TransferDeadline::forRead(timeouts, count);
  while (result.count < count) {
    // Look at the line before judging the deadline: bytes that came while the
    // idle callback ran late belong to this read (a past deadline polls for 0 ms).
    pollfd pfd{fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, PollWait(deadline, since));
    if (ready < 0 && errno != EINTR) return {false, result.count};
    if (ready > 0) {
      if (pfd.revents & POLLIN) {
        const ssize_t n = ::read(fd, bytes + result.count, count - result.count);
        if (n > 0) {
          result.count += static_cast<size_t>(n);
          deadline.bytesArrived(since());
          if (complete && complete(bytes, result.count)) break;
          continue;
        }
        // A vanished device or a closed connection reads as end of file or an
        // error: a failure, not a time-out.
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) return {false, result.count};
      } else if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) {
        return {false, result.count};
      }
    }
    if (deadline.expired(since())) break;
    Call(idle);
  }
  return result;
}

std::vector<uint8_t> PosixFdDiscardUntilQuiet(int fd, int quietMs, int limitMs) {
  std::vector<uint8_t> dropped;
  if (fd < 0) return dropped;
  const TransferClock steady;
  const Elapsed since(steady);
  uint8_t chunk[256];
  while (since().count() < limitMs) {
    pollfd pfd{fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, quietMs);
    if (ready == 0) break;  // quiet long enough
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || !(pfd.revents & POLLIN)) break;  // a failure shows at the next transfer
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n <= 0) break;
    dropped.insert(dropped.end(), chunk, chunk + n);
  }
  return dropped;
}

int NonBlockingCloseOnExec(int fd) {
  if (fd < 0) return fd;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0 || ::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}
