#pragma once
#include <QComboBox>

// A drop-down combo in which only a list choice counts: typed characters do
// not pick an entry (Qt's keyboard search would select one and announce it).
class ListOnlyComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit ListOnlyComboBox(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
