#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include "app/cjk_fonts.h"
#include "app/dialog_units.h"

namespace {

// A paint device of the given logical DPI, as a screen of that DPI would be.
QImage DeviceAtDpi(int dpi) {
  QImage image(1, 1, QImage::Format_RGB32);
  const int dotsPerMeter = qRound(dpi / 0.0254);
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  return image;
}

}  // namespace

// Each coordinate is converted on its own and rounded, as the dialog manager does.
TEST(DialogUnitsTest, ConvertsWithRoundingPerCoordinate) {
  const DialogUnits units(6, 12);
  EXPECT_EQ(units.toPixels({533, 10, 50, 14}), QRect(800, 15, 75, 21));
  EXPECT_EQ(units.toPixels({1, 1, 3, 3}), QRect(2, 2, 5, 5));
  EXPECT_EQ(units.toPixels(681, 407), QSize(1022, 611));
}

// The base units of the 9-point CJK dialog font are its em (12 px at 96 DPI) and
// half of it, not its taller line spacing; they grow with the screen's DPI.
TEST(DialogUnitsTest, BaseUnitsAreTheFontsEmScaledWithTheDpi) {
  const QFont font = DialogFont(9);
  struct Case {
    int dpi;
    int baseX;
    int baseY;
    QSize mainWindow;
  };
  for (const Case& c : {Case{96, 6, 12, {1022, 611}}, Case{144, 9, 18, {1532, 916}},
                        Case{192, 12, 24, {2043, 1221}}}) {
    const QImage device = DeviceAtDpi(c.dpi);
    const DialogUnits units = DialogUnits::ofFont(font, &device);
    EXPECT_EQ(units.baseX(), c.baseX) << c.dpi;
    EXPECT_EQ(units.baseY(), c.baseY) << c.dpi;
    EXPECT_LT(units.baseY(), QFontMetrics(font, &device).lineSpacing()) << c.dpi;
    EXPECT_EQ(units.toPixels(681, 407), c.mainWindow) << c.dpi;
  }
}

// A line of text keeps its place but is as tall as the font's line.
TEST(DialogUnitsTest, TextLinesGrowToTheFontsLineCentred) {
  const QFont font = DialogFont(9);
  const int line = QFontMetrics(font).lineSpacing();
  const QRect templateRect(885, 20, 53, 12);
  const QRect text = TextLineRect(templateRect, font);
  EXPECT_EQ(text.height(), line);
  EXPECT_EQ(text.left(), templateRect.left());
  EXPECT_EQ(text.width(), templateRect.width());
  EXPECT_LE(std::abs(text.center().y() - templateRect.center().y()), 1);
  // A rectangle tall enough already stays as it is.
  const QRect tall(0, 0, 40, line + 4);
  EXPECT_EQ(TextLineRect(tall, font), tall);
}
