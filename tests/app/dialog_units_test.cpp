#include <gtest/gtest.h>

#include "app/dialog_units.h"

// Each coordinate is converted on its own and rounded, as the dialog manager does.
TEST(DialogUnitsTest, ConvertsWithRoundingPerCoordinate) {
  const DialogUnits units(7, 17);
  EXPECT_EQ(units.toPixels({533, 10, 50, 14}), QRect(933, 21, 88, 30));
  EXPECT_EQ(units.toPixels({1, 1, 2, 3}), QRect(2, 2, 4, 6));
  EXPECT_EQ(units.toPixels(681, 407), QSize(1192, 865));
}
