#include "app/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "console/texts.h"
#include "app/app_icon.h"
#include "app/cjk_fonts.h"
#include "app/dialog_units.h"
#include "dolvane_version.h"
#include "layout/about_dialog_template.h"
#include "layout/port_dialog_template.h"

namespace {

constexpr int kFontPoints = ABOUT_DIALOG_FONT_POINTS;
constexpr int kWidthDlu = ABOUT_DIALOG_WIDTH;
constexpr int kHeightDlu = ABOUT_DIALOG_HEIGHT;
constexpr DluRect kIconRect{ABOUT_DIALOG_ICON_RECT};
constexpr DluRect kProductRect{ABOUT_DIALOG_PRODUCT_RECT};
constexpr DluRect kNoticeRect{ABOUT_DIALOG_NOTICE_RECT};
constexpr DluRect kOkRect{ABOUT_DIALOG_OK_RECT};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QString::fromUtf8(Tr("layout", ABOUT_DIALOG_TITLE)));
  setFont(DialogFont(kFontPoints));
  const DialogUnits units = DialogUnits::ofFont(font(), this);
  setFixedSize(units.toPixels(kWidthDlu, kHeightDlu));

  auto* icon = new QLabel(this);
  const QRect iconRect = units.toPixels(kIconRect);
  icon->setGeometry(iconRect);
  icon->setPixmap(AppIcon().pixmap(iconRect.size()));

  auto* product = new QLabel(QString::fromUtf8(Tr("layout", ABOUT_DIALOG_PRODUCT)), this);
  product->setGeometry(TextLineRect(units.toPixels(kProductRect), font(), this));
  auto* notice = new QLabel(QString::fromUtf8(Tr("layout", ABOUT_DIALOG_NOTICE_PREFIX)) + QLatin1String(kDolvaneVersion) +
                                QStringLiteral(ABOUT_DIALOG_NOTICE_SUFFIX),
                            this);
  notice->setGeometry(TextLineRect(units.toPixels(kNoticeRect), font(), this));

  auto* ok = new QPushButton(QString::fromUtf8(Tr("layout", DIALOG_OK_TEXT)), this);
  ok->setGeometry(units.toPixels(kOkRect));
  ok->setDefault(true);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
