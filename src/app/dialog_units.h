#pragma once
// Dialog units: positions and sizes of the window templates, in units of the
// dialog font, turned into pixels the way the Windows dialog manager does it.
#include <QFont>
#include <QRect>
#include <QSize>

struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class DialogUnits {
 public:
  // Base units of a font: x is the average width of the 52 letters A-Z a-z,
  // y the font's height.
  static DialogUnits ofFont(const QFont& font);
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
