#include "app/dialog_units.h"

#include <QFontMetrics>

namespace {

// MulDiv of the Windows API for non-negative operands: rounds to nearest.
int MulDivRounded(int value, int numerator, int denominator) {
  return (value * numerator + denominator / 2) / denominator;
}

}  // namespace

DialogUnits DialogUnits::ofFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // Rounded average over 52 letters, as the dialog manager computes it.
  return DialogUnits((letters / 26 + 1) / 2, metrics.height());
}

int DialogUnits::across(int dlu) const { return MulDivRounded(dlu, baseX_, 4); }

int DialogUnits::down(int dlu) const { return MulDivRounded(dlu, baseY_, 8); }

QRect DialogUnits::toPixels(const DluRect& rect) const {
  return QRect(across(rect.x), down(rect.y), across(rect.width), down(rect.height));
}

QSize DialogUnits::toPixels(int width, int height) const {
  return QSize(across(width), down(height));
}
