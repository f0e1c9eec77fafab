#include "app/list_only_combo_box.h"

#include <QKeyEvent>

ListOnlyComboBox::ListOnlyComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
}

void ListOnlyComboBox::keyPressEvent(QKeyEvent* event) {
  const bool typesText = !event->text().isEmpty() && event->text().at(0).isPrint();
  if (typesText && event->key() != Qt::Key_Space) {
    event->accept();  // swallowed: typing never changes the selection
    return;
  }
  QComboBox::keyPressEvent(event);
}
