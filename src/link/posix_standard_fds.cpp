#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "link/standard_fds.h"

void KeepStandardFdsOpen() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number: this one, since the ones below it are open.
    const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened == fd) continue;
    if (opened >= 0 && ::dup2(opened, fd) == fd) {
      ::close(opened);
      continue;
    }
    // Without a null device the hole cannot be filled: better not to run at all.
    ::_exit(127);
  }
}
