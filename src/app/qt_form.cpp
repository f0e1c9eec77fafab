#include "app/qt_form.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/main_window_layout.h"

std::string QtForm::fieldText(int controlId) const {
  const auto* edit = window_.findChild<const QLineEdit*>(ControlName(controlId));
  Q_ASSERT_X(edit, "QtForm", "no edit of that id");
  return edit->text().toStdString();
}

int QtForm::comboSelection(int controlId) const {
  const auto* combo = window_.findChild<const QComboBox*>(ControlName(controlId));
  Q_ASSERT_X(combo, "QtForm", "no combo box of that id");
  return combo->currentIndex();
}
