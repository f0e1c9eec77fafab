// The simulated bus on the master side of a pseudo-terminal: the console opens
// the slave side like any serial device, and its line settings show here.
//
// The console puts the slave in exclusive mode (TIOCEXCL). That flag belongs to
// the slave, which lives as long as the master: a console that dies without
// clearing it (SIGKILL) would leave the device refusing every later open by a
// user who is not root. Only a descriptor on the slave can clear it, and none
// can be opened once it is set, so the bus holds one from the start and clears
// the flag when inotify reports that the device was closed, and not opened
// since, while the flag is set. (A console that closes in order has cleared it
// already. While the flag is set only root can open the device beside its
// holder, so only root's close can clear it under a console that still holds
// it; the console's flock still keeps every other console out.)
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "link/posix_line_speed.h"
#include "sim/posix_sim_endpoint.h"

namespace {

constexpr auto kIdleSleep = std::chrono::milliseconds(8);  // while no console holds the slave

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
    // Without either the bus still serves; only the flag stays as a console left it.
    peer_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ >= 0 && ::inotify_add_watch(watch_, name, IN_OPEN | IN_CLOSE) < 0) {
      ::close(watch_);
      watch_ = -1;
    }
  }
  ~PtyEndpoint() override { vanish(); }

  const std::string& name() const override { return path_; }
  // The master is there whether or not a console holds the slave.
  int stream(int) override {
    freeAfterClose();
    return master_;
  }
  // No one holds the slave (POLLHUP, read EIO; only when the bus could not
  // hold it itself): keep the master and wait.
  void hangUp() override { std::this_thread::sleep_for(kIdleSleep); }

  // The pty shows the slave's speed and stop bits to this side, never its parity.
  SimLine line() const override {
    termios tio{};
    if (::tcgetattr(master_, &tio) != 0) return SimLine{0, 1};
    return SimLine{BaudRateOf(::cfgetospeed(&tio)).value_or(0), (tio.c_cflag & CSTOPB) ? 2 : 1};
  }

  ssize_t receive(uint8_t* bytes, size_t count) override { return ::read(master_, bytes, count); }

  ssize_t send(const uint8_t* bytes, size_t count) override { return ::write(master_, bytes, count); }

  void vanish() override {
    for (int* fd : {&watch_, &peer_, &master_}) {
      if (*fd >= 0) ::close(*fd);
      *fd = -1;
    }
  }

 private:
  // The events cannot be counted (inotify merges equal ones that follow each
  // other), but their order tells whether the device was opened again after its
  // last close; if it was, the flag may be the new console's own.
  void freeAfterClose() {
    if (watch_ < 0 || peer_ < 0) return;
    takeEvents();
    if (!closedLast_) return;
    int exclusive = 0;
    if (::ioctl(peer_, TIOCGEXCL, &exclusive) == 0 && exclusive) {
      if (takeEvents()) return;  // someone came or went meanwhile: look again next time
      ::ioctl(peer_, TIOCNXCL);
    }
    closedLast_ = false;  // dealt with
  }

  // Reads what inotify has; true when there was anything.
  bool takeEvents() {
    alignas(inotify_event) char events[1024];
    bool any = false;
    for (ssize_t n; (n = ::read(watch_, events, sizeof events)) > 0;) {
      for (const char* at = events; at < events + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        if (event->mask & (IN_OPEN | IN_CLOSE)) closedLast_ = (event->mask & IN_CLOSE) != 0;
        at += sizeof(inotify_event) + event->len;
      }
      any = true;
    }
    return any;
  }

  int master_ = -1;
  int peer_ = -1;   // the bus's own descriptor on the slave
  int watch_ = -1;  // inotify on the slave's device
  bool closedLast_ = false;  // its last event was a close not yet dealt with
  std::string path_;
};

}  // namespace

std::unique_ptr<SimEndpoint> NewPtyEndpoint() { return std::make_unique<PtyEndpoint>(); }
