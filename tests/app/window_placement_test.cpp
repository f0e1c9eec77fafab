#include <gtest/gtest.h>

#include "app/window_placement.h"

TEST(WindowPlacementTest, CentresTheFrameAndKeepsTheTitleBarOnScreen) {
  struct Case {
    const char* what;
    QSize client;
    QMargins frame;
    QRect available;
    QPoint expected;
  };
  const Case cases[] = {
      {"laptop", {1022, 611}, {0, 30, 0, 0}, {0, 0, 1366, 768}, {172, 63}},
      {"small screen", {1022, 611}, {1, 30, 1, 1}, {0, 0, 1024, 768}, {0, 63}},
      // Taller or wider than the screen: pinned at the top left, never above it.
      {"too large", {1192, 865}, {0, 30, 0, 0}, {0, 0, 1366, 768}, {87, 0}},
      {"too wide", {1100, 600}, {0, 30, 0, 0}, {0, 0, 1024, 768}, {0, 69}},
      {"second screen below a panel", {1022, 611}, {4, 30, 4, 4}, {1366, 27, 1920, 1053}, {1811, 231}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CentredFramePosition(c.client, c.frame, c.available), c.expected) << c.what;
  }
}
