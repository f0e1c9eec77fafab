#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "link/posix_fd_io.h"
#include "link/posix_line_speed.h"

namespace {

OpenError OpenErrorOf(int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return OpenError::kNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return OpenError::kPermission;
    case EBUSY:
    case EWOULDBLOCK:
      return OpenError::kBusy;
    default:
      return OpenError::kOther;
  }
}

}  // namespace

PosixSerialPort::~PosixSerialPort() { close(); }

OpenError PosixSerialPort::open(const std::string& device) {
  close();
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return OpenErrorOf(errno);
  // flock refuses a second holder even for root, which TIOCEXCL does not stop;
  // TIOCEXCL closes the window for programs that do not take the lock.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    const int error = errno;
    ::close(fd);
    return OpenErrorOf(error);
  }
  fd_ = fd;
  return OpenError::kNone;
}

bool PosixSerialPort::setQueueSizes(size_t, size_t) {
  // The driver's queues are fixed on POSIX; there is nothing to size.
  return isOpen();
}

bool PosixSerialPort::setTimeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return isOpen();
}

bool PosixSerialPort::setLine(int baudRate, Parity parity, int stopBits) {
  termios tio{};
  if (fd_ < 0 || ::tcgetattr(fd_, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  if (stopBits == 2) tio.c_cflag |= CSTOPB;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, SpeedOf(baudRate));
  ::cfsetospeed(&tio, SpeedOf(baudRate));
  termios withParity = tio;
  if (parity != Parity::kNone) {
    withParity.c_cflag |= PARENB;
    if (parity == Parity::kOdd) withParity.c_cflag |= PARODD;
  }
  if (::tcsetattr(fd_, TCSANOW, &withParity) == 0) return true;
  // A pseudo-terminal may refuse parity (EINVAL); the rate and stop bits still
  // have to reach the line, so apply the rest without it.
  return ::tcsetattr(fd_, TCSANOW, &tio) == 0 && parity == Parity::kNone;
}

bool PosixSerialPort::purge() { return fd_ >= 0 && ::tcflush(fd_, TCIOFLUSH) == 0; }

void PosixSerialPort::clearErrors() {
  // termios keeps no sticky error state to clear.
}

IoResult PosixSerialPort::write(const uint8_t* bytes, size_t count) {
  return PosixFdWrite(fd_, FdKind::kTerminal, bytes, count, timeouts_, [this] { callIdle(); }, clock_);
}

IoResult PosixSerialPort::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  return PosixFdRead(fd_, bytes, count, timeouts_, complete, [this] { callIdle(); }, clock_);
}

bool PosixSerialPort::carriesParity() const {
  // The slave side of a pseudo-terminal clears PARENB: the far end never sees parity.
  char name[256];
  if (fd_ < 0 || ::ttyname_r(fd_, name, sizeof name) != 0) return true;
  return std::strncmp(name, "/dev/pts/", 9) != 0;
}

void PosixSerialPort::close() {
  if (fd_ >= 0) {
    // The exclusive mode belongs to the tty, not to this descriptor: left set, it
    // outlives the close while the far side stays open and refuses every later
    // open by a user who is not root.
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}

std::vector<uint8_t> PosixSerialPort::discardUntilQuiet(int quietMs, int limitMs) {
  return PosixFdDiscardUntilQuiet(fd_, quietMs, limitMs);
}
