#pragma once
// Runs a test body where every name look-up goes to a name server that never
// answers, without touching the machine: in a forked child, inside private
// user, network and mount namespaces, with `lo` the only link and
// /etc/resolv.conf covered by one naming 127.0.0.1, where a listener takes
// each query (UDP and TCP) and answers none. Works as root and as an ordinary
// user wherever unprivileged user namespaces are allowed; elsewhere it says
// why, for the test to skip.
//
//   const DnsBlackholeRun run = RunInDnsBlackhole([] { EXPECT_...; });
//   if (run.skipped) GTEST_SKIP() << run.reason;
//
// The body's GoogleTest failures are reported in the parent, at their place.
#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>

struct DnsBlackholeRun {
  bool skipped = false;
  std::string reason;  // why, when skipped
};

namespace dns_blackhole {

// One message from the child: a kind letter, then the text. 'S' skip (text:
// why), 'F' failure (text: file, line and message, NUL-separated), 'D' done.
inline void Send(int fd, char kind, const std::string& text) {
  const uint32_t length = static_cast<uint32_t>(text.size());
  std::string message(1, kind);
  message.append(reinterpret_cast<const char*>(&length), sizeof length);
  message += text;
  for (size_t sent = 0; sent < message.size();) {
    const ssize_t n = ::write(fd, message.data() + sent, message.size() - sent);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

inline std::string Why(const char* step) { return std::string(step) + ": " + std::strerror(errno); }

inline bool WriteFile(const char* path, const std::string& text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  return ok;
}

// The namespaces, with the caller as root inside them; empty when done, else
// why the system would not have it.
inline std::string EnterNamespaces(const std::string& resolvConf) {
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNET | CLONE_NEWNS) != 0) return Why("unshare");
  // setgroups is denied before gid_map may be written without privilege.
  if (!WriteFile("/proc/self/setgroups", "deny") && errno != ENOENT) return Why("setgroups");
  if (!WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1")) return Why("uid_map");
  if (!WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) return Why("gid_map");
  // Nothing mounted here may reach the machine's own mount table.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return Why("private mounts");
  if (::mount(resolvConf.c_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr) != 0)
    return Why("bind /etc/resolv.conf");
  return {};
}

// A new network namespace has `lo`, down.
inline std::string BringLoopbackUp() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Why("socket");
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  std::string error;
  if (::ioctl(fd, SIOCGIFFLAGS, &request) != 0) {
    error = Why("SIOCGIFFLAGS lo");
  } else {
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP | IFF_RUNNING);
    if (::ioctl(fd, SIOCSIFFLAGS, &request) != 0) error = Why("SIOCSIFFLAGS lo");
  }
  ::close(fd);
  return error;
}

// Binds 127.0.0.1:53 for UDP and TCP, then takes queries and connections on
// a thread of its own, forever, and never answers: the child's exit ends it.
inline std::string StartSilentNameServer() {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(53);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const auto* any = reinterpret_cast<const sockaddr*>(&address);
  const int udp = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  const int tcp = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (udp < 0 || tcp < 0) return Why("socket");
  if (::bind(udp, any, sizeof address) != 0) return Why("bind udp 53");
  if (::bind(tcp, any, sizeof address) != 0 || ::listen(tcp, 16) != 0) return Why("listen tcp 53");
  std::thread([udp, tcp] {
    std::vector<pollfd> fds{{udp, POLLIN, 0}, {tcp, POLLIN, 0}};
    char sink[4096];
    for (;;) {
      if (::poll(fds.data(), fds.size(), -1) < 0) continue;
      if (fds[0].revents & POLLIN) (void)::recv(udp, sink, sizeof sink, 0);
      if (fds[1].revents & POLLIN) {
        const int client = ::accept4(tcp, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) fds.push_back({client, POLLIN, 0});
      }
      // A connection is read and kept open, so the asker waits on it.
      for (size_t i = 2; i < fds.size(); ++i) {
        if (fds[i].revents == 0) continue;
        if (::recv(fds[i].fd, sink, sizeof sink, 0) <= 0) {
          ::close(fds[i].fd);
          fds.erase(fds.begin() + static_cast<std::ptrdiff_t>(i--));
        }
      }
    }
  }).detach();
  return {};
}

// The child's whole life: set up, run the body with its failures caught,
// tell the parent, and leave without the parent's exit handlers.
[[noreturn]] inline void Child(int out, const std::string& resolvConf, const std::function<void()>& body) {
  std::string why = EnterNamespaces(resolvConf);
  if (!why.empty()) {
    Send(out, 'S', "no private namespaces here (" + why + ")");
    ::_exit(0);
  }
  why = BringLoopbackUp();
  if (why.empty()) why = StartSilentNameServer();
  if (!why.empty()) {
    Send(out, 'F', std::string(__FILE__) + '\0' + std::to_string(__LINE__) + '\0' + why);
    ::_exit(1);
  }
  ::testing::TestPartResultArray results;
  {
    const ::testing::ScopedFakeTestPartResultReporter catcher(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
    try {
      body();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "exception: " << e.what();
    }
  }
  for (int i = 0; i < results.size(); ++i) {
    const ::testing::TestPartResult& r = results.GetTestPartResult(i);
    if (r.skipped()) {
      Send(out, 'S', r.message());
    } else if (r.failed()) {
      Send(out, 'F', std::string(r.file_name() ? r.file_name() : "?") + '\0' +
                         std::to_string(r.line_number()) + '\0' + r.message());
    }
  }
  Send(out, 'D', "");
  ::_exit(0);
}

// Threads of this process: a fork copies only the caller, so a lock another
// thread holds (an earlier test's) would stay held in the child for good.
inline size_t ThreadCount() {
  size_t count = 0;
  if (DIR* tasks = ::opendir("/proc/self/task")) {
    while (const dirent* entry = ::readdir(tasks))
      if (entry->d_name[0] != '.') ++count;
    ::closedir(tasks);
  }
  return count;
}

}  // namespace dns_blackhole

// Runs `body` in the child and waits for it at most `limit` (then kills it and
// fails: a hang is a failure, not a wait).
inline DnsBlackholeRun RunInDnsBlackhole(const std::function<void()>& body,
                                         std::chrono::seconds limit = std::chrono::seconds(60)) {
  using namespace dns_blackhole;
  DnsBlackholeRun run;
  if (ThreadCount() > 1) {
    run.skipped = true;
    run.reason = "other threads run in this process: run the test alone (ctest runs each test so)";
    return run;
  }
  char resolvConf[] = "/tmp/dns-blackhole-XXXXXX";
  const int file = ::mkstemp(resolvConf);
  if (file < 0) {
    ADD_FAILURE() << Why("mkstemp");
    return run;
  }
  // Long waits per query, so that a look-up nothing bounds would really last.
  const std::string text = "nameserver 127.0.0.1\noptions timeout:5 attempts:2\n";
  const bool written = ::write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::fchmod(file, 0644);
  ::close(file);
  int pipeFds[2];
  if (!written || ::pipe2(pipeFds, O_CLOEXEC) != 0) {
    ADD_FAILURE() << Why("resolv.conf or pipe");
    ::unlink(resolvConf);
    return run;
  }
  std::fflush(nullptr);  // or the child's exit would print the parent's buffers again
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    Child(pipeFds[1], resolvConf, body);
  }
  ::close(pipeFds[1]);
  if (child < 0) {
    ADD_FAILURE() << Why("fork");
    ::close(pipeFds[0]);
    ::unlink(resolvConf);
    return run;
  }

  std::string received;
  bool timedOut = false;
  const auto giveUpAt = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUpAt - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd in{pipeFds[0], POLLIN, 0};
    const int ready = ::poll(&in, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    char chunk[4096];
    const ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the child has gone
    received.append(chunk, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  ::unlink(resolvConf);
  if (timedOut) {
    ADD_FAILURE() << "the body outlasted " << limit.count() << " s and was killed";
    return run;
  }

  bool done = false;
  for (size_t at = 0; at + 1 + sizeof(uint32_t) <= received.size();) {
    const char kind = received[at];
    uint32_t length = 0;
    std::memcpy(&length, received.data() + at + 1, sizeof length);
    const std::string message = received.substr(at + 1 + sizeof length, length);
    at += 1 + sizeof length + length;
    if (kind == 'S') {
      run.skipped = true;
      run.reason = message;
    } else if (kind == 'F') {
      const size_t a = message.find('\0');
      const size_t b = message.find('\0', a + 1);
      ADD_FAILURE_AT(message.substr(0, a).c_str(), std::atoi(message.substr(a + 1, b - a - 1).c_str()))
          << message.substr(b + 1);
    } else if (kind == 'D') {
      done = true;
    }
  }
  if (!done && !run.skipped) {
    ADD_FAILURE() << "the child ended before its body did (wait status " << status << ")";
  }
  return run;
}
