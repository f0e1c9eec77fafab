#include "app/cjk_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QFont FirstInstalled(const QStringList& families, QFont::StyleHint hint, int pointSize) {
  const QStringList installed = QFontDatabase::families();
  QFont font(families.front(), pointSize);
  for (const QString& family : families) {
    if (installed.contains(family, Qt::CaseInsensitive)) {
      font.setFamily(family);
      break;
    }
  }
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
