#pragma once
// A file that a log is added to: opened to append, never truncated, and never
// left waiting for a reader (a FIFO with none is refused at once). Writes go
// straight to the file, so a failure keeps its reason (a full disk, a reader
// that went away). Platform code: posix_log_file.cpp, win32_log_file.cpp.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class LogFile {
 public:
  enum class Create {
    kIfMissing,  // continue an existing file, or create it
    kOnlyNew,    // create it; refused when something exists at that path
  };

  // Null with *error set when the file cannot be used. *refused tells a path the
  // rule turns down (kOnlyNew and something exists) from one the system cannot open.
  static std::unique_ptr<LogFile> Open(const std::string& path, Create create, std::string* error,
                                       bool* refused = nullptr);
  // An open descriptor (standard output), named `name` in messages; it stays open.
  static std::unique_ptr<LogFile> ForDescriptor(int fd, const std::string& name);
  virtual ~LogFile() = default;

  const std::string& path() const { return path_; }
  // A regular file, which can be read back; else a device, FIFO or socket.
  bool regular() const { return regular_; }
  // Created by this open: nothing was there before.
  bool created() const { return created_; }
  // What a regular file held when it was opened: its size, its first bytes (at
  // most the limit asked for) and whether its last byte ends a line.
  uint64_t sizeAtOpen() const { return size_; }
  const std::string& head() const { return head_; }
  bool endsWithLineBreak() const { return lastByte_ == '\n'; }
  // What ends a last line cut short: "\r\n", or the "\n" still missing after a
  // '\r' (a CR of its own would leave the line ending in two of them).
  const char* lineEndToFinish() const { return lastByte_ == '\r' ? "\n" : "\r\n"; }
  // The same file (device and inode) as `other`: two names, one file.
  virtual bool sameFileAs(const LogFile& other) const = 0;
  // A character device (/dev/null, a terminal), which any number of writers share.
  virtual bool characterDevice() const = 0;

  // All of `bytes` or false; error() then says why. Once failed, stays failed.
  bool write(std::string_view bytes);
  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }
  // Removes the file if this open created it (a run refused before it began).
  virtual void removeIfCreated() = 0;

  // How many first bytes Open keeps in head().
  static constexpr size_t kHeadLimit = 64 * 1024;

 protected:
  explicit LogFile(std::string path) : path_(std::move(path)) {}
  // Writes some of the bytes; the count, or -1 with the reason in *reason.
  virtual long writeSome(const char* bytes, size_t count, std::string* reason) = 0;

  std::string path_;
  bool regular_ = false;
  bool created_ = false;
  uint64_t size_ = 0;
  std::string head_;
  char lastByte_ = '\n';  // of a regular file; '\n' for an empty one

 private:
  std::string error_;
};
