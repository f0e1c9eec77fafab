#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "bus/atomic_file.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// The rename itself reaches the disk only with its folder.
void FlushFolderOf(const std::string& path) {
  const std::string folder = PathOfUtf8(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  std::string temp = path + ".tmp-XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  auto fail = [&](int code) {
    *error = "cannot write " + path + ": " + std::strerror(code);
    return false;
  };
  if (fd < 0) return fail(errno);
  // The new file keeps the old one's permissions; a first one gets a plain file's.
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    const int code = written ? errno : writeError;
    ::unlink(temp.c_str());
    return fail(code);
  }
  FlushFolderOf(path);
  return true;
}
