#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QtMath>

namespace {

// MulDiv of the Windows API for non-negative operands: rounds to nearest.
int MulDivRounded(int value, int numerator, int denominator) {
  return (value * numerator + denominator / 2) / denominator;
}

QFontMetrics MetricsOn(const QFont& font, const QPaintDevice* device) {
  return device ? QFontMetrics(font, device) : QFontMetrics(font);
}

int EmPixels(const QFont& font, const QFontMetrics& metrics) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return qRound(font.pointSizeF() * metrics.fontDpi() / 72.0);
}

}  // namespace

DialogUnits DialogUnits::ofFont(const QFont& font, const QPaintDevice* device) {
  const QFontMetrics metrics = MetricsOn(font, device);
  const int fullWidth = metrics.horizontalAdvance(QChar(0x4E2D));  // 中
  return DialogUnits((fullWidth + 1) / 2, EmPixels(font, metrics));
}

int DialogUnits::across(int dlu) const { return MulDivRounded(dlu, baseX_, 4); }

int DialogUnits::down(int dlu) const { return MulDivRounded(dlu, baseY_, 8); }

QRect DialogUnits::toPixels(const DluRect& rect) const {
  return QRect(across(rect.x), down(rect.y), across(rect.width), down(rect.height));
}

QSize DialogUnits::toPixels(int width, int height) const {
  return QSize(across(width), down(height));
}

QRect TextLineRect(const QRect& templateRect, const QFont& font, const QPaintDevice* device) {
  const int line = MetricsOn(font, device).lineSpacing();
  if (line <= templateRect.height()) return templateRect;
  QRect grown = templateRect;
  grown.setTop(templateRect.top() - (line - templateRect.height()) / 2);
  grown.setHeight(line);
  return grown;
}
