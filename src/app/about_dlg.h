#pragma once
#include <QDialog>

// The About box: icon, product line, notice line and 确定.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* owner);
};
