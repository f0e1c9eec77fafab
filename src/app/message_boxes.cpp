#include "app/message_boxes.h"

#include <QMessageBox>

void ShowInfoBox(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kInfoTitle), text, QMessageBox::Ok, owner);
  box.exec();
}

bool AskWarningBox(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kWarningTitle), text,
                  QMessageBox::Ok | QMessageBox::Cancel, owner);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}
