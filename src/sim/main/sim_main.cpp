// dolvane-sim: a bus of simulated modules on a pseudo-terminal or behind a TCP
// port, for trying the console without hardware. Prints what to open, then serves.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
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
    "                           each model in the order above.\n"
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

// Serves until a stop signal, a vanished device, or the end of standard input
// when `watchInput`, and returns why it stopped. Standard input is otherwise
// never read: started with `&` from a script it is /dev/null, at its end from
// the start, and from an interactive shell reading it would stop the program
// (SIGTTIN) as soon as the user types.
std::string ServeUntilStopped(const SimBus& bus, int signals, bool watchInput) {
  constexpr int kVanishCheckMs = 100;
  while (!bus.vanished()) {
    pollfd fds[2] = {{signals, POLLIN, 0}, {watchInput ? STDIN_FILENO : -1, POLLIN, 0}};
    if (::poll(fds, 2, kVanishCheckMs) < 0) continue;
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
    bus.start();
    std::printf("%s\n", bus.devicePath().c_str());
    std::fflush(stdout);
    const std::string why = ServeUntilStopped(bus, signals, o.exitOnEof);
    bus.stop();
    std::fprintf(stderr, "dolvane-sim: %s\n", why.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dolvane-sim: %s\n", e.what());
    return 1;
  }
  return 0;
}
