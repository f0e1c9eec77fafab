#pragma once
// Temporary files and folders of the test's own, under a unique name, so that
// runs by other users or at the same time never meet. Removed at scope end.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class TempFile {
 public:
  explicit TempFile(const std::string& contents = "") {
    std::string pattern = ::testing::TempDir() + "dolvane-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    EXPECT_GE(fd, 0) << pattern;
    if (fd >= 0) ::close(fd);
    path_ = pattern;
    write(contents);
  }
  ~TempFile() { std::filesystem::remove(path_); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }
  void write(const std::string& contents) const {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << contents;
  }

 private:
  std::string path_;
};

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "dolvane-XXXXXX";
    EXPECT_NE(::mkdtemp(pattern.data()), nullptr) << pattern;
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
