#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "monitor/log_file.h"

namespace {

class PosixLogFile : public LogFile {
 public:
  PosixLogFile(std::string path, int fd, const struct stat& st, bool created, bool owned = true)
      : LogFile(std::move(path)), fd_(fd), owned_(owned), device_(st.st_dev), inode_(st.st_ino), mode_(st.st_mode) {
    regular_ = S_ISREG(st.st_mode);
    created_ = created;
    size_ = regular_ ? static_cast<uint64_t>(st.st_size) : 0;
  }
  ~PosixLogFile() override {
    if (owned_) ::close(fd_);
  }

  bool sameFileAs(const LogFile& other) const override {
    const auto* o = dynamic_cast<const PosixLogFile*>(&other);
    return o && o->device_ == device_ && o->inode_ == inode_;
  }
  bool characterDevice() const override { return S_ISCHR(mode_); }
  void removeIfCreated() override {
    struct stat st {};
    if (created_ && ::stat(path_.c_str(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_)
      ::unlink(path_.c_str());
  }

  // Reads back what a regular file holds; false with the reason when it cannot.
  bool readBack(std::string* reason) {
    if (!regular_ || size_ == 0) return true;
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_dev != device_ || st.st_ino != inode_) {
      *reason = fd < 0 ? std::strerror(errno) : "the file changed while it was opened";
      if (fd >= 0) ::close(fd);
      return false;
    }
    head_.resize(static_cast<size_t>(std::min<uint64_t>(size_, kHeadLimit)));
    const ssize_t n = ::pread(fd, head_.data(), head_.size(), 0);
    char last = '\n';
    const bool ok = n >= 0 && ::pread(fd, &last, 1, static_cast<off_t>(size_ - 1)) == 1;
    if (!ok) *reason = std::strerror(errno);
    ::close(fd);
    head_.resize(n > 0 ? static_cast<size_t>(n) : 0);
    lastByte_ = last;
    return ok;
  }

 protected:
  long writeSome(const char* bytes, size_t count, std::string* reason) override {
    for (;;) {
      const ssize_t n = ::write(fd_, bytes, count);
      if (n >= 0) return static_cast<long>(n);
      if (errno == EINTR) continue;
      *reason = errno == EPIPE ? "its reader has closed it" : std::strerror(errno);
      return -1;
    }
  }

 private:
  int fd_;
  bool owned_;
  dev_t device_;
  ino_t inode_;
  mode_t mode_;
};

}  // namespace

std::unique_ptr<LogFile> LogFile::Open(const std::string& path, Create create, std::string* error,
                                       bool* refused) {
  if (refused) *refused = false;
  auto fail = [&](const std::string& text, bool byRule = false) -> std::unique_ptr<LogFile> {
    if (error) *error = text;
    if (refused) *refused = byRule;
    return nullptr;
  };
  if (path.empty()) return fail("no file name given", true);
  // Non-blocking, so that a FIFO nobody reads fails with ENXIO instead of
  // waiting for a reader forever; never O_TRUNC.
  const int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  bool created = true;
  int fd = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
  if (fd < 0 && errno == EEXIST) {
    if (create == Create::kOnlyNew) return fail(path + ": exists already", true);
    created = false;
    fd = ::open(path.c_str(), flags);
    if (fd < 0 && errno == ENOENT) fd = ::open(path.c_str(), flags | O_CREAT, 0666);  // a dangling link
  }
  if (fd < 0) {
    if (errno == ENXIO) return fail(path + ": a FIFO that no program reads (start its reader first)");
    return fail(path + ": " + std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int e = errno;
    ::close(fd);
    return fail(path + ": " + std::strerror(e));
  }
  // A FIFO whose reader is slow makes the writer wait, as any pipe does.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  auto file = std::make_unique<PosixLogFile>(path, fd, st, created);
  std::string reason;
  if (!file->readBack(&reason)) return fail(path + ": cannot be read back to check what it holds: " + reason);
  return file;
}

std::unique_ptr<LogFile> LogFile::ForDescriptor(int fd, const std::string& name) {
  struct stat st {};
  ::fstat(fd, &st);
  return std::make_unique<PosixLogFile>(name, fd, st, false, false);
}
