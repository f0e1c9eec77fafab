#pragma once
// A file in memory with a path that code under test can open like any other
// (/proc/self/fd/N): a values file or a log, rewritten for each input without
// touching the disk or leaving anything behind.
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "fuzz_input.h"

class MemoryFile {
 public:
  explicit MemoryFile(const char* name)
      : fd_(memfd_create(name, MFD_CLOEXEC)), path_("/proc/self/fd/" + std::to_string(fd_)) {
    Require(fd_ >= 0, "no memory file");
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  ~MemoryFile() { ::close(fd_); }

  const std::string& path() const { return path_; }

  // Makes the file hold exactly these bytes.
  void hold(const void* bytes, size_t size) {
    Require(::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, bytes, size, 0) == static_cast<ssize_t>(size),
            "the memory file cannot be written");
  }
  void hold(const std::string& text) { hold(text.data(), text.size()); }

  std::string contents() const {
    std::string text(static_cast<size_t>(::lseek(fd_, 0, SEEK_END)), '\0');
    Require(::pread(fd_, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()),
            "the memory file cannot be read");
    return text;
  }

 private:
  int fd_;
  std::string path_;
};
