// The simulated bus's serving thread, the same over every endpoint: framing of
// the console's byte stream, pacing at the wire speed and the faults.
#include "sim/sim_bus.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "sim/posix_sim_endpoint.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using Bytes = std::vector<uint8_t>;

constexpr auto kIdleSleep = milliseconds(8);   // after a failed poll
constexpr auto kQuietGap = milliseconds(20);   // a partial frame older than this is noise
constexpr int kPollSliceMs = 10;
constexpr auto kSleepSlice = milliseconds(10);  // how soon a pacing sleep notices stop()

microseconds CharacterTime(const SimModuleConfig& m) {
  return microseconds(1000000LL * BitsPerCharacter(m.lineFormat) / m.baudRate);
}

}  // namespace

struct SimBus::Impl {
  explicit Impl(std::unique_ptr<SimEndpoint> e) : endpoint(std::move(e)) {}

  // Used by the serving thread only, once it runs.
  std::unique_ptr<SimEndpoint> endpoint;
  int stream = -1;  // the console's descriptor, -1 while none is there
  Clock::time_point lineFreeAt;  // when the last paced reply's last byte was due
  std::thread thread;
  std::atomic<bool> stopping{false};
  std::atomic<bool> gone{false};  // a vanish fault closed the endpoint

  // Guards what follows. The serving thread never holds it while it sleeps or
  // writes, so every call stays prompt while a slow reply is on the line.
  mutable std::mutex mu;
  SimModules modules;
  SimFaultPlan faults;
  bool paced = false;
  std::optional<microseconds> turnaround;
  std::vector<Bytes> received;
  bool sending = false;  // a reply is on its way
  mutable std::condition_variable sent;

  void serve();
  void handleRequest(const Bytes& frame, Clock::time_point arrivedAt);
  void transmit(const SimShapedReply& reply, Clock::time_point firstByteAt,
                microseconds charTime, bool pace);
  bool writeBytes(const uint8_t* bytes, size_t count);
  bool sleepUntil(Clock::time_point until);
};

SimBus::SimBus() : impl_(std::make_unique<Impl>(NewPtyEndpoint())) {}

SimBus::SimBus(const TcpAddress& listenOn, std::chrono::milliseconds idleTimeout, bool modbusTcp)
    : impl_(std::make_unique<Impl>(NewTcpEndpoint(listenOn, idleTimeout, modbusTcp))) {}

SimBus::~SimBus() { stop(); }

const std::string& SimBus::devicePath() const { return impl_->endpoint->name(); }

void SimBus::addModule(const SimModuleConfig& config) {
  std::lock_guard lock(impl_->mu);
  impl_->modules.add(config);
}

bool SimBus::plugModule(const SimModuleConfig& config) {
  std::lock_guard lock(impl_->mu);
  for (const SimModuleConfig& present : impl_->modules.configs())
    if (present.station == config.station) return false;
  impl_->modules.add(config);
  return true;
}

bool SimBus::unplugModule(int station) {
  std::lock_guard lock(impl_->mu);
  return impl_->modules.remove(station);
}

void SimBus::setRegisters(int station, const std::map<uint16_t, uint16_t>& words) {
  std::lock_guard lock(impl_->mu);
  impl_->modules.setRegisters(station, words);
}

uint16_t SimBus::registerValue(int station, uint16_t address) const {
  std::lock_guard lock(impl_->mu);
  return impl_->modules.registerValue(station, address);
}

SimModuleConfig SimBus::moduleConfig(int index) const {
  std::lock_guard lock(impl_->mu);
  return impl_->modules.config(static_cast<size_t>(index));
}

std::vector<SimModuleConfig> SimBus::modules() const {
  std::lock_guard lock(impl_->mu);
  return impl_->modules.configs();
}

void SimBus::injectFault(SimFault fault) { injectFault(0, fault, 1); }

void SimBus::injectFault(int station, SimFault fault, int count) {
  std::lock_guard lock(impl_->mu);
  impl_->faults.add(station, fault, count);
}

void SimBus::setPaced(bool paced) {
  std::lock_guard lock(impl_->mu);
  impl_->paced = paced;
}

void SimBus::setTurnaround(microseconds turnaround) {
  std::lock_guard lock(impl_->mu);
  impl_->turnaround = turnaround;
}

void SimBus::setLiveValues(bool live) {
  std::lock_guard lock(impl_->mu);
  impl_->modules.setLiveValues(live);
}

std::vector<Bytes> SimBus::receivedFrames() const {
  std::lock_guard lock(impl_->mu);
  return impl_->received;
}

void SimBus::clearReceived() {
  std::lock_guard lock(impl_->mu);
  impl_->received.clear();
}

void SimBus::waitUntilSent() const {
  std::unique_lock lock(impl_->mu);
  impl_->sent.wait(lock, [this] { return !impl_->sending; });
}

bool SimBus::vanished() const { return impl_->gone; }

void SimBus::onNotice(std::function<void(const std::string&)> notice) {
  impl_->endpoint->notice = std::move(notice);
}

void SimBus::start() {
  if (impl_->thread.joinable() || impl_->gone) return;
  impl_->stopping = false;
  impl_->thread = std::thread([this] { impl_->serve(); });
}

void SimBus::stop() {
  impl_->stopping = true;
  if (impl_->thread.joinable()) impl_->thread.join();
}

void SimBus::Impl::serve() {
  Bytes buf;
  auto lastByte = Clock::now();
  auto bufStartedAt = lastByte;  // when the first byte in buf arrived
  while (!stopping && !gone) {
    const int fd = endpoint->stream(kPollSliceMs);
    if (fd != stream) buf.clear();  // a new console: nothing of the old one's is kept
    stream = fd;
    if (stream < 0) continue;
    pollfd pfd{stream, POLLIN, 0};
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
      const ssize_t n = endpoint->receive(chunk, sizeof chunk);
      if (n > 0) {
        const auto now = Clock::now();
        if (!buf.empty() && now - lastByte > kQuietGap) buf.clear();
        if (buf.empty()) bufStartedAt = now;
        buf.insert(buf.end(), chunk, chunk + n);
        lastByte = now;
        for (const Bytes& frame : endpoint->modbusTcp() ? TakeMbapRequests(buf) : TakeRequests(buf)) {
          handleRequest(frame, bufStartedAt);
          bufStartedAt = lastByte;
          if (gone) return;
        }
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    }
    // The console has gone (hang-up, end of file, read error).
    buf.clear();
    endpoint->hangUp();
  }
}

// On a wire the request takes its own time to arrive (paced from the moment its
// first byte came), and the module waits its turnaround before it replies.
void SimBus::Impl::handleRequest(const Bytes& frame, Clock::time_point arrivedAt) {
  const SimLine line = endpoint->line();
  SimShapedReply reply;
  microseconds charTime{};
  bool pace = false;
  std::optional<microseconds> turn;
  {
    std::lock_guard lock(mu);
    received.push_back(frame);
    const bool mbap = endpoint->modbusTcp();
    SimExchange ex = mbap ? modules.handleMbap(frame.data(), frame.size(), line)
                          : modules.handle(frame.data(), frame.size(), line);
    if (ex.reply.empty()) return;
    reply = ShapeReply(std::move(ex.reply), faults.take(ex.replier.station), ex.replier.baudRate, mbap);
    // The reply leaves at the settings it was given under (ex.replier), and the
    // line carries no other request to this module until it has been sent, so
    // the new settings may take effect now. A vanished module keeps none.
    if (ex.change && !reply.vanish) modules.apply(*ex.change);
    charTime = CharacterTime(ex.replier);
    pace = paced;
    turn = turnaround;
    sending = true;
  }
  const auto requestTime = charTime * static_cast<long>(frame.size());
  // Requests that came together are answered one after another: a reply never
  // starts before the one ahead of it has had its wire time and a turnaround.
  const microseconds pacedTurn = turn.value_or(charTime * 7 / 2);
  const Clock::time_point firstByteAt =
      pace ? std::max(arrivedAt + requestTime, lineFreeAt) + pacedTurn
           : Clock::now() + turn.value_or(microseconds(0));
  transmit(reply, firstByteAt, charTime, pace);
  {
    std::lock_guard lock(mu);
    sending = false;
  }
  sent.notify_all();
}

void SimBus::Impl::transmit(const SimShapedReply& reply, Clock::time_point firstByteAt,
                            microseconds charTime, bool pace) {
  Clock::time_point due = firstByteAt;
  for (const SimShapedReply::Piece& p : reply.pieces) {
    if (pace) {
      // Each byte is written when its last bit would arrive.
      for (size_t i = p.from; i < p.to; ++i) {
        due += charTime;
        if (!sleepUntil(due) || !writeBytes(&reply.bytes[i], 1)) return;
      }
    } else if (!sleepUntil(due) || !writeBytes(reply.bytes.data() + p.from, p.to - p.from)) {
      return;
    }
    due = std::max(due, Clock::now()) + p.pauseAfter;
  }
  lineFreeAt = due;
  if (!reply.vanish) return;
  if (!sleepUntil(due)) return;
  // Marked before the close, so that whoever sees the device gone sees it marked.
  gone = true;
  endpoint->vanish();
  stream = -1;
}

bool SimBus::Impl::sleepUntil(Clock::time_point until) {
  while (Clock::now() < until) {
    if (stopping) return false;
    std::this_thread::sleep_for(std::min<Clock::duration>(until - Clock::now(), kSleepSlice));
  }
  return !stopping;
}

bool SimBus::Impl::writeBytes(const uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = endpoint->send(bytes + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;  // nobody listens
    if (stopping) return false;
    pollfd pfd{stream, POLLOUT, 0};
    ::poll(&pfd, 1, kPollSliceMs);
  }
  return true;
}
