#pragma once
// A pseudo-terminal pair in front of a device, as a virtual COM port or a
// linked pty pair (socat) puts it: the console's line settings end at this
// pty, and the device hears the one setting the relay opened it with. So a
// module on the simulated bus answers at every setting the console tries.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

class LineBlindPty {
 public:
  // Opens `device` (the simulated bus's) at `speed`, 8 data bits, no parity,
  // one stop bit, and relays bytes both ways until destroyed.
  explicit LineBlindPty(const std::string& device, speed_t speed = B9600) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
      throw std::runtime_error("no pseudo-terminal");
    path_ = ::ptsname(master_);
    device_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (device_ < 0) throw std::runtime_error("cannot open " + device);
    termios t{};
    ::tcgetattr(device_, &t);
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    ::cfsetspeed(&t, speed);
    ::tcsetattr(device_, TCSANOW, &t);
    relay_ = std::thread([this] { relay(); });
  }
  ~LineBlindPty() {
    stop_ = true;
    relay_.join();
    ::close(device_);
    ::close(master_);
  }
  LineBlindPty(const LineBlindPty&) = delete;
  LineBlindPty& operator=(const LineBlindPty&) = delete;

  // What the console opens.
  const std::string& devicePath() const { return path_; }

 private:
  void relay() {
    while (!stop_) {
      pollfd fds[2] = {{master_, POLLIN, 0}, {device_, POLLIN, 0}};
      if (::poll(fds, 2, 10) <= 0) continue;
      // While the console has its side closed the master reports a hang-up
      // and read fails: wait for it to come back instead of spinning.
      bool idle = true;
      idle &= !copy(fds[0], master_, device_);
      idle &= !copy(fds[1], device_, master_);
      if (idle) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  // True when bytes went across.
  static bool copy(const pollfd& from, int in, int out) {
    if (!(from.revents & POLLIN)) return false;
    char buffer[256];
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n <= 0) return false;
    for (ssize_t done = 0; done < n;) {
      const ssize_t put = ::write(out, buffer + done, static_cast<size_t>(n - done));
      if (put > 0) done += put;
      else if (put < 0 && errno != EAGAIN && errno != EINTR) break;
    }
    return true;
  }

  int master_ = -1;
  int device_ = -1;
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread relay_;
};
