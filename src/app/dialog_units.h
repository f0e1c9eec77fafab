#pragma once
// Dialog units: positions and sizes of the window templates, in units of the
// dialog font, turned into pixels the way the Windows dialog manager does it.
#include <QFont>
#include <QRect>
#include <QSize>

class QPaintDevice;

#include "layout/dlu_rect.h"

class DialogUnits {
 public:
  // Base units of a CJK dialog font at the DPI of `device` (the primary screen
  // when null): y is the font's em height, x half the advance of a full-width
  // ideograph (the width of its half-width letters). Not the line spacing: the
  // templates were laid out for fonts whose line is one em high.
  static DialogUnits ofFont(const QFont& font, const QPaintDevice* device = nullptr);
  DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

  int across(int dlu) const;  // dlu * baseX / 4, rounded
  int down(int dlu) const;    // dlu * baseY / 8, rounded
  QRect toPixels(const DluRect& rect) const;
  QSize toPixels(int width, int height) const;

  int baseX() const { return baseX_; }
  int baseY() const { return baseY_; }

 private:
  int baseX_;
  int baseY_;
};

// A line of static text: the template gives it one em of height, but the font's
// line spacing is taller, so the rectangle grows to the line, centred on the
// template's, and no glyph is cut off.
QRect TextLineRect(const QRect& templateRect, const QFont& font, const QPaintDevice* device = nullptr);
