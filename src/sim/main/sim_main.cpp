// dolvane-sim: a bus of simulated modules on a pseudo-terminal or behind a TCP
// port, for trying the console without hardware. Prints what to open, then serves.
#include <poll.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dolvane_version.h"
#include "link/link.h"
#include "link/standard_fds.h"
#include "link/tcp_address.h"
#include "models/demo_bus.h"
#include "models/model_registry.h"
#include "sim/register_values.h"
#include "sim/main/sim_options.h"
#include "sim/sim_bus.h"

namespace {

constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: dolvane-sim [--module STATION:MODEL[@BAUD,P,8,S]]... [--bus FILE] [--values FILE]\n"
    "                   [--fault STATION:KIND[:COUNT]]... [--pace] [--turnaround MS]\n"
    "                   [--allow-writes] [--steady] [--exit-on-eof]\n"
    "                   [--plug-after SECONDS:STATION:MODEL[@LINE]]... [--control FIFO]\n"
    "                   [--tcp HOST:PORT | --mbtcp HOST:PORT [--idle-timeout SECONDS]]\n"
    "                   [--help]\n"
    "\n"
    "Serves simulated modules on a pseudo-terminal, with --tcp as a serial\n"
    "server does, or with --mbtcp as a Modbus TCP server. The first line on\n"
    "standard output is the port to open; the program serves until it receives\n"
    "SIGTERM or SIGINT, or until a vanish fault has closed the device (or, with\n"
    "--exit-on-eof, until its standard input ends), and then says on standard\n"
    "error why it ended. Standard input is not\n"
    "read otherwise, so dolvane-sim ... & keeps serving from a script or a shell.\n"
    "A console that dies holding the pseudo-terminal (even by SIGKILL) does not\n"
    "leave it locked: its exclusive mode is cleared once it has gone.\n"
    "\n"
    "  --module S:MODEL[@LINE]  a module at station S (1-255, one module per\n"
    "                           station). MODEL is one of\n"
    "                           %s.\n"
    "                           LINE is BAUD,FORMAT, e.g. 19200,N,8,2; the default\n"
    "                           is 9600,N,8,1. A module answers only when the\n"
    "                           console's baud rate and stop bits match its own.\n"
    "                           Without any --module: stations 1-%zu, one module of\n"
    "                           each model in the order above (none with\n"
    "                           --plug-after or --control: modules come later).\n"
    "  --bus FILE               the modules of a bus file (dolvane-cli --bus), each at\n"
    "                           its station with its model, on the file's baud rate\n"
    "                           and line format; with --module, more modules\n"
    "  --values FILE            fixed register words, one \"register=value\" per\n"
    "                           line (decimal or 0x hex, '#' starts a comment), for\n"
    "                           the module given just before, or for every module\n"
    "                           when given before any --module\n"
    "  --fault S:KIND[:COUNT]   the next COUNT replies of station S (default 1, or\n"
    "                           \"always\") carry a fault. KIND is one of\n"
    "%s"
    "                           Several faults for one station follow each other.\n"
    "  --pace                   work at the wire speed (10 or 11 bits per\n"
    "                           character): the request takes its wire time, then\n"
    "                           the turnaround, then the reply byte by byte\n"
    "  --turnaround MS          the module's pause before it replies, 0-60000 ms\n"
    "                           (default 3.5 character times with --pace, else 0)\n"
    "  --plug-after SECS:S:MODEL[@LINE]\n"
    "                           a module that appears at station S SECS seconds\n"
    "                           (to the millisecond, e.g. 0.5) after the program\n"
    "                           starts serving, at the factory line 9600,N,8,1\n"
    "                           unless LINE says otherwise; not while the station\n"
    "                           has a module\n"
    "  --control FIFO           read commands from FIFO (created when missing, and\n"
    "                           then removed at the end), one a line:\n"
    "                             plug S:MODEL[@LINE]   a module appears at station S\n"
    "                             unplug S              the module at S disappears\n"
    "                           Each is confirmed, or refused with its reason, on\n"
    "                           standard error (\"dolvane-sim: plugged 4SXY at\n"
    "                           station 1\"). A plugged module starts as --module's\n"
    "                           do: write-protected unless --allow-writes\n"
    "  --allow-writes           modules start with register writes allowed\n"
    "  --steady                 no fresh live readings before each reply\n"
    "  --exit-on-eof            also end when standard input reaches end of file\n"
    "                           (for a program that starts this one on a pipe\n"
    "                           and closes the pipe to stop it)\n"
    "  --ignore-stdin           never end at the end of standard input (the\n"
    "                           default; cancels an --exit-on-eof before it)\n"
    "  --tcp HOST:PORT          listen on HOST:PORT instead (IPv6 address in\n"
    "                           brackets; port 0 picks a free one) and print\n"
    "                           tcp:HOST:PORT, the port name the console opens.\n"
    "                           One client at a time; a second one is closed at\n"
    "                           once. As a serial server's serial side, the line\n"
    "                           is 9600,N,8,1 whatever the console chooses: only\n"
    "                           modules at 9600 baud with one stop bit answer.\n"
    "                           A vanish fault closes the client and the listener.\n"
    "  --mbtcp HOST:PORT        the same as a Modbus TCP server (a gateway) and\n"
    "                           print mbtcp:HOST:PORT: requests and replies carry\n"
    "                           the MBAP header, whose unit id is the station;\n"
    "                           each reply keeps its request's transaction id\n"
    "  --idle-timeout SECONDS   with --tcp or --mbtcp: close a client that sends nothing for\n"
    "                           this long, so that the next one gets the slot,\n"
    "                           1-86400, or 0 for never (default 60)\n"
    "  --help                   this text\n"
    "  --version                the program's version\n"
    "\n"
    "Register 3 takes 0x8000 (allow writes) and 0xC000 (forbid writes) at any\n"
    "time. While writes are forbidden every other write is refused with Modbus\n"
    "exception 01. A communication-parameter word in register 3 with an unknown\n"
    "baud or format number, or station 0, is refused with exception 03; a valid\n"
    "one moves the module to its new station, baud rate and format once the\n"
    "reply has been sent. Reads beyond a model's registers get exception 02.\n"
    "Every function but 03, 06 and 10 (16) gets exception 01, whatever the\n"
    "length of its request.\n";

std::string ModelNames() {
  std::string names;
  size_t i = 0;
  for (const ModelEntry& model : Models()) {
    if (i) names += i % 7 == 0 ? ",\n                           " : ", ";
    names += model.cliName;
    ++i;
  }
  return names;
}

std::string FaultKinds() {
  std::string kinds;
  for (const SimFaultName& n : SimFaultNames()) {
    std::string name = n.name;
    name.resize(12, ' ');
    kinds += "                             " + name + n.what + "\n";
  }
  return kinds;
}

void Usage(FILE* to) { std::fprintf(to, kUsage, ModelNames().c_str(), Models().size(), FaultKinds().c_str()); }

// Blocks the stop signals and returns a descriptor that reports them, so the
// bus thread never sees a signal.
int StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  sigdelset(&signals, SIGPIPE);
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

// The modules that come and go while the bus serves: the --plug-after
// schedule and the lines of the --control FIFO, each said on standard error.
class BusChanges {
 public:
  BusChanges(SimBus& bus, const Options& o, int control)
      : bus_(bus), plugs_(o.plugs), allowWrites_(o.allowWrites), control_(control),
        start_(std::chrono::steady_clock::now()) {}

  int control() const { return control_; }

  // Milliseconds until the next planned plug; -1 when none is left.
  int msUntilNext() const {
    if (plugs_.empty()) return -1;
    const auto due = start_ + std::chrono::milliseconds(nextPlug()->afterMs);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
  }

  void plugWhatIsDue() {
    while (!plugs_.empty() && msUntilNext() == 0) {
      const auto next = nextPlug();
      ControlCommand command;
      command.module = next->module;
      plugs_.erase(next);
      apply(command);
    }
  }

  // What the FIFO holds now, line by line.
  void readControl() {
    char chunk[256];
    ssize_t n;
    while ((n = ::read(control_, chunk, sizeof chunk)) > 0) pending_.append(chunk, static_cast<size_t>(n));
    size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      std::string problem;
      const std::optional<ControlCommand> command = ParseControlLine(line, &problem);
      if (command) apply(*command);
      else std::fprintf(stderr, "dolvane-sim: %s\n", problem.c_str());
    }
  }

 private:
  std::vector<PlugOption>::const_iterator nextPlug() const {
    return std::min_element(plugs_.begin(), plugs_.end(),
                             [](const PlugOption& a, const PlugOption& b) { return a.afterMs < b.afterMs; });
  }

  void apply(const ControlCommand& command) {
    const int station = command.module.station;
    if (!command.plug) {
      if (bus_.unplugModule(station)) std::fprintf(stderr, "dolvane-sim: unplugged station %d\n", station);
      else std::fprintf(stderr, "dolvane-sim: no module at station %d to unplug\n", station);
      return;
    }
    SimModuleConfig module = command.module;
    module.writesAllowed = allowWrites_;
    if (bus_.plugModule(module))
      std::fprintf(stderr, "dolvane-sim: plugged %s at station %d\n", ModelNameOf(module), station);
    else
      std::fprintf(stderr, "dolvane-sim: station %d has a module, %s not plugged\n", station, ModelNameOf(module));
  }

  static const char* ModelNameOf(const SimModuleConfig& module) {
    for (const ModelEntry& model : Models())
      if (&model.sim == module.model) return model.cliName;
    return "?";
  }

  SimBus& bus_;
  std::vector<PlugOption> plugs_;
  bool allowWrites_;
  int control_;  // -1 without --control
  std::chrono::steady_clock::time_point start_;
  std::string pending_;  // a line not yet ended
};

// The --control FIFO, made when missing, open for reading without ever
// seeing its end: it stays open for writing here too, so writers may come
// and go. Throws std::runtime_error when it cannot be.
int OpenControl(const std::string& path, bool* created) {
  struct stat st{};
  *created = false;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT || ::mkfifo(path.c_str(), 0600) != 0)
      throw std::runtime_error("cannot make the FIFO " + path + ": " + std::strerror(errno));
    *created = true;
  } else if (!S_ISFIFO(st.st_mode)) {
    throw std::runtime_error("--control " + path + " is not a FIFO");
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot open the FIFO " + path + ": " + std::strerror(errno));
  return fd;
}

// Serves until a stop signal, a vanished device, or the end of standard input
// when `watchInput`, and returns why it stopped. Standard input is otherwise
// never read: started with `&` from a script it is /dev/null, at its end from
// the start, and from an interactive shell reading it would stop the program
// (SIGTTIN) as soon as the user types.
std::string ServeUntilStopped(const SimBus& bus, int signals, bool watchInput, BusChanges& changes) {
  constexpr int kVanishCheckMs = 100;
  while (!bus.vanished()) {
    pollfd fds[3] = {{signals, POLLIN, 0}, {watchInput ? STDIN_FILENO : -1, POLLIN, 0}, {changes.control(), POLLIN, 0}};
    const int nextPlug = changes.msUntilNext();
    const int wait = nextPlug >= 0 && nextPlug < kVanishCheckMs ? nextPlug : kVanishCheckMs;
    const int ready = ::poll(fds, 3, wait);
    changes.plugWhatIsDue();
    if (ready < 0) continue;
    if (fds[2].revents & POLLIN) changes.readControl();
    if (fds[0].revents & POLLIN) {
      signalfd_siginfo info{};
      const bool known = ::read(signals, &info, sizeof info) == sizeof info;
      const char* name = known ? sigabbrev_np(static_cast<int>(info.ssi_signo)) : nullptr;
      return std::string("stopped by ") + (name ? std::string("SIG") + name : "a signal");
    }
    if (fds[1].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
      char sink[256];
      const ssize_t n = ::read(STDIN_FILENO, sink, sizeof sink);
      if (n == 0) return "standard input has ended (--exit-on-eof)";
      // An input that cannot be read (nohup gives a write-only one) says nothing.
      if (n < 0 && errno != EINTR && errno != EAGAIN) watchInput = false;
    }
  }
  return "the device has vanished";
}

}  // namespace

int main(int argc, char** argv) {
  KeepStandardFdsOpen();
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("dolvane-sim %s\n", kDolvaneVersion);
    return 0;
  }
  Options o;
  if (const std::optional<std::string> refusal =
          ParseArguments(std::vector<std::string>(argv + 1, argv + argc), o)) {
    std::fprintf(stderr, "dolvane-sim: %s\n", refusal->c_str());
    Usage(stderr);
    return kExitUsage;
  }
  if (o.help) {
    Usage(stdout);
    return 0;
  }
  const int signals = StopSignals();

  try {
    const std::chrono::milliseconds idleTimeout =
        o.idleSeconds ? std::chrono::seconds(*o.idleSeconds) : SimBus::kDefaultIdleTimeout;
    SimBus bus = o.tcp ? SimBus(*o.tcp, idleTimeout, o.modbusTcp) : SimBus();
    bus.onNotice([](const std::string& what) { std::fprintf(stderr, "dolvane-sim: %s\n", what.c_str()); });
    for (size_t i = 0; i < o.modules.size(); ++i) {
      SimModuleConfig config = o.modules[i];
      config.writesAllowed = o.allowWrites;
      bus.addModule(config);
      std::map<uint16_t, uint16_t> words = o.everyModule;
      for (const auto& [address, word] : o.perModule[i]) words[address] = word;
      if (!words.empty()) bus.setRegisters(config.station, words);
    }
    for (const FaultOption& f : o.faults) bus.injectFault(f.station, f.fault, f.count);
    bus.setPaced(o.pace);
    if (o.turnaroundMs) bus.setTurnaround(std::chrono::milliseconds(*o.turnaroundMs));
    bus.setLiveValues(!o.steady);
    bool controlCreated = false;
    const int control = o.control ? OpenControl(*o.control, &controlCreated) : -1;
    bus.start();
    BusChanges changes(bus, o, control);
    std::printf("%s\n", bus.devicePath().c_str());
    std::fflush(stdout);
    const std::string why = ServeUntilStopped(bus, signals, o.exitOnEof, changes);
    bus.stop();
    if (controlCreated) ::unlink(o.control->c_str());
    std::fprintf(stderr, "dolvane-sim: %s\n", why.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dolvane-sim: %s\n", e.what());
    return 1;
  }
  return 0;
}
