#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "link/standard_fds.h"

namespace {

// Whatever standard descriptors were closed, they are open afterwards and the
// next file opened gets a number above them.
TEST(StandardFds, ClosedOnesAreFilledBeforeAnythingElseOpens) {
  const std::vector<std::vector<int>> closedSets = {{}, {0}, {1}, {2}, {1, 2}, {0, 2}, {0, 1, 2}};
  for (const std::vector<int>& closed : closedSets) {
    SCOPED_TRACE(::testing::PrintToString(closed));
    const pid_t child = ::fork();
    if (child == 0) {
      for (int fd : closed) ::close(fd);
      KeepStandardFdsOpen();
      bool ok = true;
      for (int fd = 0; fd <= 2; ++fd) ok = ok && ::fcntl(fd, F_GETFD) != -1;
      const int next = ::open("/dev/null", O_RDONLY);
      ::_exit(ok && next > 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
}

}  // namespace
