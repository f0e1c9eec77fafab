#include "app/message_boxes.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QAbstractButton>
#include <QSpacerItem>
#include <memory>

#include "app/dialog_units.h"

namespace {

// Room beside the title for what the window manager puts in the title bar
// (icon, close box, margins), in dialog units.
constexpr int kTitleBarExtrasDlu = 100;

// Plain buttons: our own texts, and no icon from the desktop theme.
void PlainButton(QMessageBox& box, QMessageBox::StandardButton which, const char* text) {
  QAbstractButton* button = box.button(which);
  button->setText(QString::fromUtf8(text));
  button->setIcon(QIcon());
}

// A box sizes itself to its text, and the window manager cuts a title that does
// not fit to "…": a spacer across the box's grid holds it wide enough.
void WideEnoughForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  grid->addItem(new QSpacerItem(MessageBoxMinimumWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

int MessageBoxMinimumWidth(const QMessageBox& box) {
  const int title = QFontMetrics(box.font(), &box).horizontalAdvance(box.windowTitle());
  return title + DialogUnits::ofFont(box.font(), &box).across(kTitleBarExtrasDlu);
}

namespace {

QMessageBox* NewInfoBox(QWidget* owner, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(kInfoTitle.text()), text, QMessageBox::Ok, owner);
  PlainButton(*box, QMessageBox::Ok, Tr("app", "确定"));
  WideEnoughForTitle(*box);
  return box;
}

QMessageBox* NewWarningBox(QWidget* owner, const QString& text, bool cancelByDefault) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(kWarningTitle.text()), text,
                              QMessageBox::Ok | QMessageBox::Cancel, owner);
  PlainButton(*box, QMessageBox::Ok, Tr("app", "确定"));
  PlainButton(*box, QMessageBox::Cancel, Tr("app", "取消"));
  box->setDefaultButton(cancelByDefault ? QMessageBox::Cancel : QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Cancel);
  WideEnoughForTitle(*box);
  return box;
}

// Shows the box over its owner and hands its answer on once, as it closes.
void OpenBox(QMessageBox* box, std::function<void(bool ok)> answered) {
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QDialog::finished, box, [box, answered = std::move(answered)] {
    answered(box->clickedButton() == box->button(QMessageBox::Ok));
  });
  box->open();
}

}  // namespace

void ShowInfoBox(QWidget* owner, const QString& text) {
  std::unique_ptr<QMessageBox> box(NewInfoBox(owner, text));
  box->exec();
}

void OpenInfoBox(QWidget* owner, const QString& text, std::function<void()> closed) {
  OpenBox(NewInfoBox(owner, text), [closed = std::move(closed)](bool) { closed(); });
}

void OpenInfoBoxOffering(QWidget* owner, const QString& text, const QString& offer,
                         std::function<void(bool offered)> closed) {
  QMessageBox* box = NewInfoBox(owner, text);
  QPushButton* offered = box->addButton(offer, QMessageBox::AcceptRole);
  offered->setAutoDefault(false);
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QDialog::finished, box, [box, offered, closed = std::move(closed)] {
    closed(box->clickedButton() == offered);
  });
  box->open();
}

void OpenWarningBox(QWidget* owner, const QString& text, bool cancelByDefault,
                    std::function<void(bool ok)> answered) {
  OpenBox(NewWarningBox(owner, text, cancelByDefault), std::move(answered));
}
