#include "app/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/app_icon.h"
#include "app/cjk_fonts.h"
#include "app/dialog_units.h"
#include "dolvane_version.h"

namespace {

constexpr int kFontPoints = 9;
constexpr int kWidthDlu = 170;
constexpr int kHeightDlu = 62;
constexpr DluRect kIconRect{14, 14, 20, 20};
constexpr DluRect kProductRect{42, 14, 114, 8};
constexpr DluRect kNoticeRect{42, 26, 114, 8};
constexpr DluRect kOkRect{113, 41, 50, 14};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("关于Dolvane电参数采集"));
  setFont(DialogFont(kFontPoints));
  const DialogUnits units = DialogUnits::ofFont(font(), this);
  setFixedSize(units.toPixels(kWidthDlu, kHeightDlu));

  auto* icon = new QLabel(this);
  const QRect iconRect = units.toPixels(kIconRect);
  icon->setGeometry(iconRect);
  icon->setPixmap(AppIcon().pixmap(iconRect.size()));

  auto* product = new QLabel(QStringLiteral("Dolvane电参数采集V1.0"), this);
  product->setGeometry(TextLineRect(units.toPixels(kProductRect), font(), this));
  // The product line is the box's own text; the build's version goes on the notice line.
  auto* notice = new QLabel(QStringLiteral("版本 ") + QLatin1String(kDolvaneVersion) +
                                QStringLiteral("  (C) Dolvane"),
                            this);
  notice->setGeometry(TextLineRect(units.toPixels(kNoticeRect), font(), this));

  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setGeometry(units.toPixels(kOkRect));
  ok->setDefault(true);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
