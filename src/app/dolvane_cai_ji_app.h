#pragma once
#include <vector>

#include "app/edit_com_dialog.h"

class QApplication;

// The application object: Qt's own texts in Chinese, the dialog font and the
// icon, then the main window run modally; the application ends when it closes.
class CDolvaneCaiJiApp {
 public:
  explicit CDolvaneCaiJiApp(QApplication& qtApp);

  // Shows the main window and returns when it closes.
  int run(std::vector<PortChoice> offeredPorts = {});

  // Standard buttons read 确定/取消 (qtbase_zh_CN.qm); false when not installed.
  static bool installChineseTexts(QApplication& qtApp);
};
