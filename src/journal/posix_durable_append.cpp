#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "journal/durable_append.h"

namespace {

bool Fail(const std::string& path, int code, std::string* error) {
  *error = "cannot write " + path + ": " + std::strerror(code);
  return false;
}

// A new file's name lives in its folder, which has to reach the disk too.
void SyncFolderOf(const std::filesystem::path& file) {
  const int dir = ::open(file.parent_path().empty() ? "." : file.parent_path().c_str(), O_RDONLY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

}  // namespace

bool AppendLineDurably(const std::string& path, std::string_view line, std::string* error) {
  const std::filesystem::path file(path);
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) return Fail(path, ec.value(), error);
  bool created = true;
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0 && errno == EEXIST) {
    created = false;
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  }
  if (fd < 0) return Fail(path, errno, error);
  // One write for the whole line: O_APPEND keeps lines of two processes apart.
  const ssize_t n = ::write(fd, line.data(), line.size());
  const int writeError = n < 0 ? errno : ENOSPC;
  if (n != static_cast<ssize_t>(line.size()) || ::fsync(fd) != 0) {
    const int code = n == static_cast<ssize_t>(line.size()) ? errno : writeError;
    ::close(fd);
    return Fail(path, code, error);
  }
  if (::close(fd) != 0) return Fail(path, errno, error);
  if (created) SyncFolderOf(file);
  return true;
}

std::string DefaultJournalPath() {
  if (const char* named = std::getenv("DOLVANE_JOURNAL"); named && *named) return named;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
    return std::string(data) + "/dolvane/journal.jsonl";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share/dolvane/journal.jsonl";
  return "";
}
