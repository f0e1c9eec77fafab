#include "monitor/log_file.h"

bool LogFile::write(std::string_view bytes) {
  while (!failed() && !bytes.empty()) {
    std::string reason;
    const long n = writeSome(bytes.data(), bytes.size(), &reason);
    if (n < 0) error_ = path_ + ": " + reason;
    else if (n == 0) error_ = path_ + ": nothing could be written";
    else bytes.remove_prefix(static_cast<size_t>(n));
  }
  return !failed();
}
