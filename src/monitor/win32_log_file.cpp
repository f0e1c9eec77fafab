#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "monitor/log_file.h"

namespace {

class Win32LogFile : public LogFile {
 public:
  Win32LogFile(std::string path, int fd, bool regular, bool characterDevice, uint64_t size, bool created,
               bool owned = true)
      : LogFile(std::move(path)), fd_(fd), owned_(owned), characterDevice_(characterDevice) {
    regular_ = regular;
    created_ = created;
    size_ = regular ? size : 0;
  }
  ~Win32LogFile() override {
    if (owned_ && fd_ >= 0) ::_close(fd_);
  }

  bool sameFileAs(const LogFile& other) const override {
    std::error_code ec;
    return std::filesystem::equivalent(path_, other.path(), ec);
  }
  bool characterDevice() const override { return characterDevice_; }
  void removeIfCreated() override {
    if (!created_ || !owned_) return;
    ::_close(fd_);
    fd_ = -1;
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }

  bool readBack(std::string* reason) {
    if (!regular_ || size_ == 0) return true;
    const int fd = ::_open(path_.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
      *reason = std::strerror(errno);
      return false;
    }
    head_.resize(static_cast<size_t>(size_ < kHeadLimit ? size_ : kHeadLimit));
    const int n = ::_read(fd, head_.data(), static_cast<unsigned>(head_.size()));
    char last = '\n';
    const bool ok = n >= 0 && ::_lseeki64(fd, static_cast<__int64>(size_ - 1), SEEK_SET) >= 0 &&
                    ::_read(fd, &last, 1) == 1;
    if (!ok) *reason = std::strerror(errno);
    ::_close(fd);
    head_.resize(n > 0 ? static_cast<size_t>(n) : 0);
    lastByte_ = last;
    return ok;
  }

 protected:
  long writeSome(const char* bytes, size_t count, std::string* reason) override {
    const unsigned chunk = count > (1u << 30) ? (1u << 30) : static_cast<unsigned>(count);
    const int n = fd_ < 0 ? -1 : ::_write(fd_, bytes, chunk);
    if (n < 0) *reason = std::strerror(errno);
    return n;
  }

 private:
  int fd_;
  bool owned_;
  bool characterDevice_;
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
  const int flags = _O_WRONLY | _O_APPEND | _O_BINARY;
  bool created = true;
  int fd = ::_open(path.c_str(), flags | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
  if (fd < 0 && errno == EEXIST) {
    if (create == Create::kOnlyNew) return fail(path + ": exists already", true);
    created = false;
    fd = ::_open(path.c_str(), flags);
  }
  if (fd < 0) return fail(path + ": " + std::strerror(errno));
  struct _stati64 st {};
  if (::_fstati64(fd, &st) != 0) {
    const int e = errno;
    ::_close(fd);
    return fail(path + ": " + std::strerror(e));
  }
  auto file = std::make_unique<Win32LogFile>(path, fd, (st.st_mode & _S_IFMT) == _S_IFREG,
                                             (st.st_mode & _S_IFMT) == _S_IFCHR,
                                             static_cast<uint64_t>(st.st_size), created);
  std::string reason;
  if (!file->readBack(&reason)) return fail(path + ": cannot be read back to check what it holds: " + reason);
  return file;
}

std::unique_ptr<LogFile> LogFile::ForDescriptor(int fd, const std::string& name) {
  struct _stati64 st {};
  ::_fstati64(fd, &st);
  return std::make_unique<Win32LogFile>(name, fd, false, (st.st_mode & _S_IFMT) == _S_IFCHR, 0, false, false);
}
