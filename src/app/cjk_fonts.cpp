#include "app/cjk_fonts.h"

#include <QStringList>

namespace {

// The first of `families` that is installed, chosen when the font is first
// used: named, not looked for in the list of every installed family, which
// costs the start of the window a walk over all the fonts.
QFont FirstInstalled(const QStringList& families, QFont::StyleHint hint, int pointSize) {
  QFont font(families.front(), pointSize);
  font.setFamilies(families);
  font.setStyleHint(hint);
  return font;
}

}  // namespace

QFont DialogFont(int pointSize) {
  return FirstInstalled({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                         QStringLiteral("WenQuanYi Micro Hei")},
                        QFont::SansSerif, pointSize);
}

QFont PaneFont() {
  return FirstInstalled({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                         QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                         QStringLiteral("AR PL UMing CN")},
                        QFont::Serif, 10);
}
