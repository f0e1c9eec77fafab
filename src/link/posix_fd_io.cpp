#include "link/posix_fd_io.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// A peer that has gone must fail the write, not raise SIGPIPE in the program.
ssize_t WriteNow(int fd, FdKind kind, const uint8_t* bytes, size_t count) {
  if (kind == FdKind::kSocket) return ::send(fd, bytes, count, MSG_NOSIGNAL);
  return ::write(fd, bytes, count);
}

int Ms(std::chrono::milliseconds wait) { return static_cast<int>(wait.count()); }

ReadSome FdReadSome(int fd) {
  return [fd](uint8_t* into, size_t room, std::chrono::milliseconds wait) -> TransferStep {
    pollfd pfd{fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, Ms(wait));
    if (ready < 0) return {errno == EINTR, 0};
    if (ready == 0) return {};
    if (pfd.revents & POLLIN) {
      const ssize_t n = ::read(fd, into, room);
      if (n > 0) return {true, static_cast<size_t>(n)};
      // End of file is a closed connection or a vanished device.
      return {n < 0 && (errno == EAGAIN || errno == EINTR), 0};
    }
    return {(pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0, 0};
  };
}

}  // namespace

IoResult PosixFdWrite(int fd, FdKind kind, const uint8_t* bytes, size_t count,
                      const PortTimeouts& timeouts, const IdleCall& idle, const TransferClock& clock) {
  if (fd < 0) return {false, 0};
  const WriteSome writeSome = [fd, kind](const uint8_t* from, size_t room,
                                         std::chrono::milliseconds wait) -> TransferStep {
    const ssize_t n = WriteNow(fd, kind, from, room);
    if (n > 0) return {true, static_cast<size_t>(n)};
    if (n < 0 && errno != EAGAIN && errno != EINTR) return {false, 0};
    pollfd pfd{fd, POLLOUT, 0};
    const int ready = ::poll(&pfd, 1, Ms(wait));
    return {!(ready > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))), 0};
  };
  return WriteWithDeadline(bytes, count, timeouts, idle, writeSome, clock);
}

IoResult PosixFdRead(int fd, uint8_t* bytes, size_t count, const PortTimeouts& timeouts,
                     const SerialPort::CompleteTest& complete, const IdleCall& idle,
                     const TransferClock& clock) {
  if (fd < 0) return {false, 0};
  return ReadWithDeadline(bytes, count, timeouts, complete, idle, FdReadSome(fd), clock);
}

std::vector<uint8_t> PosixFdDiscardUntilQuiet(int fd, int quietMs, int limitMs) {
  if (fd < 0) return {};
  return DiscardUntilQuiet(quietMs, limitMs, FdReadSome(fd));
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
