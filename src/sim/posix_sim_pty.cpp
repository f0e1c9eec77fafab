// The simulated bus on the master side of a pseudo-terminal: the console opens
// the slave side like any serial device, and its line settings show here.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "sim/posix_sim_endpoint.h"

namespace {

constexpr auto kIdleSleep = std::chrono::milliseconds(8);  // while no console holds the slave

int BaudOf(speed_t speed) {
  switch (speed) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
  }
}

class PtyEndpoint : public SimEndpoint {
 public:
  PtyEndpoint() {
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error(std::string("posix_openpt: ") + std::strerror(errno));
    char name[128];
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0) {
      const int e = errno;
      ::close(fd);
      throw std::runtime_error(std::string("pseudo-terminal: ") + std::strerror(e));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    // A program that opens the device without configuring it should still see a
    // plain 8-bit line at the modules' default speed, not a cooked terminal.
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
      ::cfmakeraw(&tio);
      tio.c_cflag |= CLOCAL | CREAD;
      ::cfsetispeed(&tio, B9600);
      ::cfsetospeed(&tio, B9600);
      ::tcsetattr(fd, TCSANOW, &tio);
    }
    master_ = fd;
    path_ = name;
  }
  ~PtyEndpoint() override { vanish(); }

  const std::string& name() const override { return path_; }
  // The master is there whether or not a console holds the slave.
  int stream(int) override { return master_; }
  // No console holds the slave (POLLHUP, read EIO): keep the master and wait.
  void hangUp() override { std::this_thread::sleep_for(kIdleSleep); }

  // The pty shows the slave's speed and stop bits to this side, never its parity.
  SimLine line() const override {
    termios tio{};
    if (::tcgetattr(master_, &tio) != 0) return SimLine{0, 1};
    return SimLine{BaudOf(::cfgetospeed(&tio)), (tio.c_cflag & CSTOPB) ? 2 : 1};
  }

  ssize_t send(const uint8_t* bytes, size_t count) override { return ::write(master_, bytes, count); }

  void vanish() override {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string path_;
};

}  // namespace

std::unique_ptr<SimEndpoint> NewPtyEndpoint() { return std::make_unique<PtyEndpoint>(); }
