#pragma once
// A stream over a LogFile (standard output): buffered until the program
// flushes, and a failure keeps its reason (a reader that closed the pipe, a
// full disk), which the last message names.
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "monitor/log_file.h"

class LogFileBuf : public std::streambuf {
 public:
  explicit LogFileBuf(std::unique_ptr<LogFile> file) : file_(std::move(file)) { setp(buffer_, buffer_ + kSize); }
  ~LogFileBuf() override { sync(); }
  // Why the output failed; empty while it has not.
  const std::string& failure() const { return file_->error(); }

 protected:
  int overflow(int c) override {
    if (sync() != 0) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
  }
  int sync() override {
    const size_t n = static_cast<size_t>(pptr() - pbase());
    setp(buffer_, buffer_ + kSize);
    if (n > 0) file_->write({buffer_, n});
    return file_->failed() ? -1 : 0;
  }

 private:
  static constexpr size_t kSize = 8192;
  std::unique_ptr<LogFile> file_;
  char buffer_[kSize];
};

class LogFileStream : public std::ostream {
 public:
  explicit LogFileStream(std::unique_ptr<LogFile> file) : std::ostream(nullptr), buf_(std::move(file)) {
    rdbuf(&buf_);
  }

 private:
  LogFileBuf buf_;
};
