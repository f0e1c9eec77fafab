#include "layout/port_status.h"

#include <gtest/gtest.h>

// The status bar's port: the line the open port was set to, whatever the combo
// boxes hold now, and the mark while they differ.
TEST(PortStatusTest, NamesTheLineInUseAndMarksAChangeForTheNextOpening) {
  LinkState open;
  open.isOpen = 1;
  open.portName = "/dev/pts/3";
  open.baudRateInUse = 9600;
  open.lineFormatInUse = 0;
  LinkState server = open;
  server.portName = "tcp:10.0.0.5:4001";
  const LinkState closed;
  const struct {
    const LinkState& link;
    int baudIndex, formatIndex;
    const char* shown;
  } cases[] = {
      {open, 3, 0, "/dev/pts/3  9600 8N1"},
      {open, 4, 0, "/dev/pts/3  9600 8N1（19200 8N1 将在重新打开串口后生效）"},
      {open, 3, 3, "/dev/pts/3  9600 8N1（9600 8N2 将在重新打开串口后生效）"},
      {open, 3, 1, "/dev/pts/3  9600 8N1（9600 8E1 将在重新打开串口后生效）"},
      // A serial server sets its line itself: nothing the combo boxes say reaches it.
      {server, 4, 2, "tcp:10.0.0.5:4001"},
      {closed, 4, 2, "串口未打开"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortStatusText(c.link, c.baudIndex, c.formatIndex), c.shown);
    EXPECT_EQ(LineChangePending(c.link, c.baudIndex, c.formatIndex),
              std::string(c.shown).find(kLinePendingMark.text()) != std::string::npos)
        << c.shown;
  }
}
