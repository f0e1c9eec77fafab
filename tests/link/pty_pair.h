#pragma once
// A pseudo-terminal whose slave the serial back end opens, and helpers for
// running a check as a user without privileges.
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The far end of a pseudo-terminal, as the simulated bus holds it.
class PtyPair {
 public:
  PtyPair() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master_);
    unlockpt(master_);
    slave_ = ptsname(master_);
  }
  ~PtyPair() { closeMaster(); }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  const std::string& slave() const { return slave_; }
  termios lineSeenByMaster() const {
    termios t{};
    tcgetattr(master_, &t);
    return t;
  }
  void send(const std::vector<uint8_t>& bytes) const {
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) abort();
  }
  void closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slave_;
};

// Exit statuses of RunUnprivileged's child.
inline constexpr int kBodyPassed = 0;
inline constexpr int kBodyFailed = 1;
inline constexpr int kCannotDropPrivileges = 2;

// Runs `body` as a user without privileges and returns one of the statuses above:
// here when the tests run as a normal user; as root, in a child that becomes
// nobody (uid and gid 65534), since root would pass every permission check.
inline int RunUnprivileged(const std::function<bool()>& body) {
  if (::geteuid() != 0) return body() ? kBodyPassed : kBodyFailed;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
      ::_exit(kCannotDropPrivileges);
    }
    ::_exit(body() ? kBodyPassed : kBodyFailed);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return kBodyFailed;
  return WEXITSTATUS(status);
}
