#pragma once
// The programs the tests run as processes (dolvane-sim, dolvane-cli).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

inline std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

// Runs one of the built programs with its standard output and error on pipes,
// and its standard input on a pipe, or on `stdinFd` when given.
struct Program {
  pid_t pid = -1;
  int in = -1;   // its standard input, when a pipe
  int out = -1;  // its standard output
  int err = -1;  // its standard error

  // `name` is one of the built programs, or an absolute path to another.
  Program(const std::string& name, std::vector<std::string> args, int stdinFd = -1) {
    const std::string exe = name.starts_with('/') ? name : std::string(DOLVANE_BIN_DIR) + "/" + name;
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int toChild[2];
    int fromChild[2];
    int errFromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0 ||
        ::pipe2(errFromChild, O_CLOEXEC) != 0)
      return;
    pid = ::fork();
    if (pid == 0) {
      ::dup2(stdinFd >= 0 ? stdinFd : toChild[0], 0);
      ::dup2(fromChild[1], 1);
      ::dup2(errFromChild[1], 2);
      ::execv(exe.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    ::close(errFromChild[1]);
    in = toChild[1];
    out = fromChild[0];
    err = errFromChild[0];
  }
  ~Program() {
    closeInput();
    if (out >= 0) ::close(out);
    if (err >= 0) ::close(err);
    if (pid > 0 && exitCode(0) == -1) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }

  void closeInput() {
    if (in >= 0) ::close(in);
    in = -1;
  }

  // The first line it prints, without the line break; empty if none came.
  std::string firstLine() {
    std::string line;
    char c;
    for (;;) {
      pollfd pfd{out, POLLIN, 0};
      if (::poll(&pfd, 1, 10000) <= 0 || ::read(out, &c, 1) != 1) return "";
      if (c == '\n') return line;
      line += c;
    }
  }

  // The exit status once it has ended within the time; -1 while it runs.
  int exitCode(int timeoutMs) {
    for (int waited = 0;; waited += 10) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
      }
      if (waited >= timeoutMs) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  std::string output() { return ReadAll(out); }
  std::string errors() { return ReadAll(err); }
};
