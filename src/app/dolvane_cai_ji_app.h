#pragma once
#include "app/edit_com_dialog.h"

class QApplication;
class SimBus;

// The application object: the texts in the language chosen (Qt's own in Chinese
// too), the dialog font, the icon and the names the settings are kept under,
// then the workbench; the
// application ends when it closes.
class CDolvaneCaiJiApp {
 public:
  explicit CDolvaneCaiJiApp(QApplication& qtApp);

  // Shows the main window and returns when it closes.
  int run(PortOffer offerPorts = {});

  // Standard buttons read 确定/取消 (qtbase_zh_CN.qm); false when not installed.
  static bool installChineseTexts(QApplication& qtApp);
  // The catalogue behind tr(), and in Chinese Qt's own Chinese texts.
  static void installTexts(QApplication& qtApp);
};

// Offers a simulated bus in the port dialog (first, and filled in), described
// as it is when the dialog opens: a scan or a parameter change moves modules.
PortOffer OfferSimulatedBus(const SimBus& bus);
