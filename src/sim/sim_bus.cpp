#include "sim/sim_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <thread>

#include "link/link.h"
#include "modbus/config_word.h"
#include "modbus/frames.h"
#include "sim/sim_models.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr auto kIdleSleep = milliseconds(8);   // while no console holds the slave
constexpr auto kQuietGap = milliseconds(20);   // a partial frame older than this is noise
constexpr int kPollSliceMs = 10;


constexpr uint8_t kIllegalFunction = 0x01;
constexpr uint8_t kIllegalAddress = 0x02;
constexpr uint8_t kIllegalValue = 0x03;
constexpr uint8_t kDeviceFailure = 0x04;
// Every write a protected module refuses gets this code.
constexpr uint8_t kWriteProtected = kIllegalFunction;

struct Module {
  SimModuleConfig config;
  const SimModel* model = nullptr;
  std::vector<uint16_t> regs;
  std::map<uint16_t, uint16_t> fixed;  // words that live values never overwrite
  std::mt19937 rng;
};

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

uint16_t WordAt(const std::vector<uint8_t>& f, size_t at) {
  return static_cast<uint16_t>(f[at] << 8 | f[at + 1]);
}

void PutWord(std::vector<uint8_t>& out, uint16_t w) {
  out.push_back(static_cast<uint8_t>(w >> 8));
  out.push_back(static_cast<uint8_t>(w & 0xFF));
}

std::vector<uint8_t> WithCrc(std::vector<uint8_t> frame) {
  const auto n = static_cast<uint32_t>(frame.size());
  frame.resize(n + 2);
  PlaceCrc(frame.data(), n);
  return frame;
}

std::vector<uint8_t> ExceptionReply(uint8_t station, uint8_t function, uint8_t code) {
  return WithCrc({station, static_cast<uint8_t>(function | 0x80), code});
}

// Request length from what has arrived so far; 0 while it is still unknown.
size_t ExpectedLength(const std::vector<uint8_t>& buf) {
  if (buf.size() < 2) return 0;
  if (buf[1] == 0x10) return buf.size() < 7 ? 0 : 9u + buf[6];
  return 8;  // 03, 06 and every other fixed-size request a master may send
}

// A communication-parameter word, decoded; nullopt for numbers no module knows.
struct CommParams {
  int station;
  int baudRate;
  int lineFormat;
};
std::optional<CommParams> SettingsOfWord(uint16_t word) {
  const std::optional<CommWord> fields = DecodeCommWord(word);
  // Station 0 would leave the module reachable by broadcasts only.
  if (!fields || fields->station == 0) return std::nullopt;
  return CommParams{fields->station, BaudRateForNumber(fields->baudNumber), fields->formatNumber};
}

int BitsPerCharacter(int lineFormat) {
  const LineFormat& f = LineFormatAt(lineFormat);
  return 1 + 8 + (f.parity == Parity::kNone ? 0 : 1) + f.stopBits;
}

}  // namespace

struct SimBus::Impl {
  int master = -1;
  std::string path;
  mutable std::mutex mu;
  std::vector<Module> modules;
  SimFault fault = SimFault::kNone;
  bool paced = false;
  bool live = false;
  std::vector<std::vector<uint8_t>> received;
  std::thread thread;
  std::atomic<bool> stopping{false};
  bool vanished = false;

  Module* byStation(int station) {
    for (Module& m : modules)
      if (m.config.station == station) return &m;
    return nullptr;
  }

  static void applyFixed(Module& m) {
    for (const auto& [address, value] : m.fixed)
      if (address < m.regs.size()) m.regs[address] = value;
  }

  void serve();
  void handleFrame(const std::vector<uint8_t>& frame);
  std::optional<std::vector<uint8_t>> answer(Module& m, const std::vector<uint8_t>& frame,
                                             std::optional<CommParams>& pending);
  uint8_t write(Module& m, uint16_t start, const std::vector<uint16_t>& values,
                std::optional<CommParams>& pending);
  void send(const Module& m, std::vector<uint8_t> reply, SimFault f);
  bool writeBytes(const uint8_t* bytes, size_t count);
  bool sleepFor(Clock::duration d);
};

SimBus::SimBus() : impl_(std::make_unique<Impl>()) {
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
  impl_->master = fd;
  impl_->path = name;
}

SimBus::~SimBus() {
  stop();
  if (impl_->master >= 0) ::close(impl_->master);
}

const std::string& SimBus::devicePath() const { return impl_->path; }

void SimBus::addModule(const SimModuleConfig& config) {
  const SimModel* model = config.model;
  if (!model) throw std::invalid_argument("a simulated module needs a model");
  Module m;
  m.config = config;
  m.model = model;
  m.regs.assign(model->registerCount, 0);
  m.rng.seed(static_cast<uint32_t>(config.station));
  model->fillIdentity(m.regs);
  model->fillLive(m.regs, m.rng);  // plausible readings even without live refresh
  std::lock_guard lock(impl_->mu);
  impl_->modules.push_back(std::move(m));
}

void SimBus::setRegisters(int station, const std::map<uint16_t, uint16_t>& words) {
  std::lock_guard lock(impl_->mu);
  Module* m = impl_->byStation(station);
  if (!m) return;
  for (const auto& [address, value] : words) m->fixed[address] = value;
  Impl::applyFixed(*m);
}

uint16_t SimBus::registerValue(int station, uint16_t address) const {
  std::lock_guard lock(impl_->mu);
  for (const Module& m : impl_->modules)
    if (m.config.station == station) return address < m.regs.size() ? m.regs[address] : 0;
  return 0;
}

SimModuleConfig SimBus::moduleConfig(int index) const {
  std::lock_guard lock(impl_->mu);
  return impl_->modules.at(static_cast<size_t>(index)).config;
}

std::vector<SimModuleConfig> SimBus::modules() const {
  std::lock_guard lock(impl_->mu);
  std::vector<SimModuleConfig> configs;
  for (const Module& m : impl_->modules) configs.push_back(m.config);
  return configs;
}

void SimBus::injectFault(SimFault fault) {
  std::lock_guard lock(impl_->mu);
  impl_->fault = fault;
}

void SimBus::setPaced(bool paced) {
  std::lock_guard lock(impl_->mu);
  impl_->paced = paced;
}

void SimBus::setLiveValues(bool live) {
  std::lock_guard lock(impl_->mu);
  impl_->live = live;
}

std::vector<std::vector<uint8_t>> SimBus::receivedFrames() const {
  std::lock_guard lock(impl_->mu);
  return impl_->received;
}

void SimBus::clearReceived() {
  std::lock_guard lock(impl_->mu);
  impl_->received.clear();
}

void SimBus::start() {
  if (impl_->thread.joinable() || impl_->master < 0) return;
  impl_->stopping = false;
  impl_->thread = std::thread([this] { impl_->serve(); });
}

void SimBus::stop() {
  impl_->stopping = true;
  if (impl_->thread.joinable()) impl_->thread.join();
}

void SimBus::Impl::serve() {
  std::vector<uint8_t> buf;
  auto lastByte = Clock::now();
  while (!stopping && !vanished) {
    pollfd pfd{master, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, kPollSliceMs);
    if (ready < 0) {
      if (errno != EINTR) std::this_thread::sleep_for(kIdleSleep);
      continue;
    }
    if (ready == 0) {
      if (!buf.empty() && Clock::now() - lastByte > kQuietGap) buf.clear();
      continue;
    }
    if (pfd.revents & POLLNVAL) return;
    if (pfd.revents & POLLIN) {
      uint8_t chunk[512];
      const ssize_t n = ::read(master, chunk, sizeof chunk);
      if (n > 0) {
        if (!buf.empty() && Clock::now() - lastByte > kQuietGap) buf.clear();
        buf.insert(buf.end(), chunk, chunk + n);
        lastByte = Clock::now();
        for (;;) {
          const size_t need = ExpectedLength(buf);
          if (need == 0 || buf.size() < need) break;
          if (!CrcMatches(buf.data(), static_cast<uint32_t>(need))) {
            buf.erase(buf.begin());  // slide until a frame lines up
            continue;
          }
          const std::vector<uint8_t> frame(buf.begin(), buf.begin() + static_cast<long>(need));
          buf.erase(buf.begin(), buf.begin() + static_cast<long>(need));
          handleFrame(frame);
          if (vanished) return;
        }
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    // No console holds the slave (POLLHUP, read EIO): keep the master and wait.
    buf.clear();
    std::this_thread::sleep_for(kIdleSleep);
  }
}

void SimBus::Impl::handleFrame(const std::vector<uint8_t>& frame) {
  // The pty shows the slave's speed and stop bits to this side, never its parity.
  termios tio{};
  int baud = 0;
  int stopBits = 1;
  if (::tcgetattr(master, &tio) == 0) {
    baud = BaudOf(::cfgetospeed(&tio));
    stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
  }
  auto hears = [&](const Module& m) {
    return m.config.baudRate == baud && LineFormatAt(m.config.lineFormat).stopBits == stopBits;
  };

  std::lock_guard lock(mu);
  received.push_back(frame);
  const int station = frame[0];
  if (station == 0) {
    for (Module& m : modules) {
      if (!hears(m)) continue;
      std::optional<CommParams> pending;
      answer(m, frame, pending);
      if (pending) {
        m.config.station = pending->station;
        m.config.baudRate = pending->baudRate;
        m.config.lineFormat = pending->lineFormat;
      }
    }
    return;
  }
  for (Module& m : modules) {
    if (m.config.station != station || !hears(m)) continue;
    std::optional<CommParams> pending;
    std::optional<std::vector<uint8_t>> reply = answer(m, frame, pending);
    if (reply) {
      const SimFault f = fault;
      fault = SimFault::kNone;
      send(m, std::move(*reply), f);
    }
    // The new settings take effect once the reply is on the line.
    if (pending && !vanished) {
      m.config.station = pending->station;
      m.config.baudRate = pending->baudRate;
      m.config.lineFormat = pending->lineFormat;
    }
    return;
  }
}

std::optional<std::vector<uint8_t>> SimBus::Impl::answer(Module& m,
                                                         const std::vector<uint8_t>& frame,
                                                         std::optional<CommParams>& pending) {
  const uint8_t station = frame[0];
  const uint8_t function = frame[1];
  switch (function) {
    case 0x03: {
      if (station == 0) return std::nullopt;  // nobody answers a broadcast read
      const uint16_t start = WordAt(frame, 2);
      const uint16_t count = WordAt(frame, 4);
      if (count < 1 || count > 125) return ExceptionReply(station, function, kIllegalValue);
      if (start + count > static_cast<int>(m.regs.size()))
        return ExceptionReply(station, function, kIllegalAddress);
      if (live) {
        m.model->fillLive(m.regs, m.rng);
        applyFixed(m);
      }
      std::vector<uint8_t> reply{station, function, static_cast<uint8_t>(2 * count)};
      for (int k = 0; k < count; ++k) PutWord(reply, m.regs[start + k]);
      return WithCrc(std::move(reply));
    }
    case 0x06: {
      const uint8_t code = write(m, WordAt(frame, 2), {WordAt(frame, 4)}, pending);
      if (code) return ExceptionReply(station, function, code);
      return frame;  // the echo
    }
    case 0x10: {
      const uint16_t start = WordAt(frame, 2);
      const uint16_t count = WordAt(frame, 4);
      if (count < 1 || count > 123 || frame[6] != 2 * count)
        return ExceptionReply(station, function, kIllegalValue);
      std::vector<uint16_t> values;
      for (int k = 0; k < count; ++k) values.push_back(WordAt(frame, 7 + 2 * k));
      const uint8_t code = write(m, start, values, pending);
      if (code) return ExceptionReply(station, function, code);
      std::vector<uint8_t> reply{station, function};
      PutWord(reply, start);
      PutWord(reply, count);
      return WithCrc(std::move(reply));
    }
    default:
      return ExceptionReply(station, function, kIllegalFunction);
  }
}

uint8_t SimBus::Impl::write(Module& m, uint16_t start, const std::vector<uint16_t>& values,
                            std::optional<CommParams>& pending) {
  const size_t end = size_t{start} + values.size();
  const bool touchesConfig = start <= kConfigRegister && kConfigRegister < end;
  const uint16_t configWord = touchesConfig ? values[kConfigRegister - start] : 0;
  const bool command = touchesConfig && IsProtectionCommand(configWord);

  // The two protection commands pass whatever the state; nothing else does.
  if (command && values.size() == 1) {
    m.config.writesAllowed = configWord == kWriteEnableWord;
    return 0;
  }
  if (!m.config.writesAllowed) return kWriteProtected;
  if (end > m.regs.size()) return kIllegalAddress;
  if (touchesConfig && !command) {
    pending = SettingsOfWord(configWord);
    if (!pending) return kIllegalValue;
  }
  for (size_t k = 0; k < values.size(); ++k) {
    const auto address = static_cast<uint16_t>(start + k);
    if (address == kConfigRegister) continue;
    m.regs[address] = values[k];
    m.fixed[address] = values[k];
  }
  if (command) m.config.writesAllowed = configWord == kWriteEnableWord;
  return 0;
}

bool SimBus::Impl::sleepFor(Clock::duration d) {
  const auto until = Clock::now() + d;
  while (Clock::now() < until) {
    if (stopping) return false;
    std::this_thread::sleep_for(std::min<Clock::duration>(until - Clock::now(), milliseconds(10)));
  }
  return true;
}

bool SimBus::Impl::writeBytes(const uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(master, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;  // nobody listens
    if (stopping) return false;
    pollfd pfd{master, POLLOUT, 0};
    ::poll(&pfd, 1, kPollSliceMs);
  }
  return true;
}

void SimBus::Impl::send(const Module& m, std::vector<uint8_t> reply, SimFault f) {
  switch (f) {
    case SimFault::kSilence: return;
    case SimFault::kShortReply: reply.pop_back(); break;
    case SimFault::kBadCrc: reply.back() ^= 0xFF; break;
    case SimFault::kException: reply = ExceptionReply(reply[0], reply[1] & 0x7F, kDeviceFailure); break;
    case SimFault::kExtraBytes: reply.insert(reply.end(), {0x55, 0xAA, 0x00}); break;
    default: break;
  }
  // Pieces of the reply with the pause that follows each.
  const size_t half = reply.size() / 2;
  const auto interval = milliseconds(4800000 / m.config.baudRate + 100);
  struct Piece {
    size_t from, to;
    Clock::duration pauseAfter;
  };
  std::vector<Piece> pieces;
  if (f == SimFault::kGap) {
    pieces = {{0, half, interval + milliseconds(300)}, {half, reply.size(), {}}};
  } else if (f == SimFault::kVanish) {
    pieces = {{0, half, milliseconds(50)}};
  } else {
    pieces = {{0, reply.size(), {}}};
  }

  const auto charTime = std::chrono::microseconds(
      1000000LL * BitsPerCharacter(m.config.lineFormat) / m.config.baudRate);
  for (const Piece& p : pieces) {
    if (paced) {
      auto next = Clock::now();
      for (size_t i = p.from; i < p.to; ++i) {
        next += charTime;
        if (!writeBytes(&reply[i], 1)) return;
        std::this_thread::sleep_until(next);
      }
    } else if (!writeBytes(reply.data() + p.from, p.to - p.from)) {
      return;
    }
    if (!sleepFor(p.pauseAfter)) return;
  }
  if (f == SimFault::kVanish) {
    ::close(master);
    master = -1;
    vanished = true;
  }
}

std::map<uint16_t, uint16_t> LoadRegisterValues(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  auto number = [](std::string text, long max, long& out) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return false;
    text = text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() ||
        digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
      return false;
    if (digits.size() > 6) return false;
    out = std::strtol(digits.c_str(), nullptr, hex ? 16 : 10);
    return out <= max;
  };
  std::map<uint16_t, uint16_t> words;
  std::string line;
  for (int lineNo = 1; std::getline(in, line); ++lineNo) {
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    const size_t eq = line.find('=');
    long address = 0;
    long value = 0;
    if (eq == std::string::npos || !number(line.substr(0, eq), 65535, address) ||
        !number(line.substr(eq + 1), 65535, value))
      throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": expected register=value");
    words[static_cast<uint16_t>(address)] = static_cast<uint16_t>(value);
  }
  return words;
}
