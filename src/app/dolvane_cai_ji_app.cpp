#include "app/dolvane_cai_ji_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

#include "app/app_icon.h"
#include "app/catalogue_translator.h"
#include "app/cjk_fonts.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/workbench_window.h"
#include "app/main_window_layout.h"
#include "console/texts.h"
#include "models/demo_bus.h"

CDolvaneCaiJiApp::CDolvaneCaiJiApp(QApplication& qtApp) {
  // The toolkit adopts the user's locale; reports print their numbers with a
  // full stop whatever the user's decimal separator.
  std::setlocale(LC_NUMERIC, "C");
  installTexts(qtApp);
  // Boxes and dialogs are windows of their own; they take the dialog font from here.
  QApplication::setFont(DialogFont(kMainWindowFontPoints));
  QApplication::setWindowIcon(AppIcon());
  // QSettings files the window's remembered settings under these names.
  QApplication::setOrganizationName(QStringLiteral("Dolvane"));
  QApplication::setApplicationName(QStringLiteral("dolvane-console"));
}

int CDolvaneCaiJiApp::run(PortOffer offerPorts) {
  WorkbenchWindow window(std::move(offerPorts));
  window.show();
  QApplication::exec();
  return 0;  // the window's end means nothing to the application
}

void CDolvaneCaiJiApp::installTexts(QApplication& qtApp) {
  QApplication::installTranslator(new CatalogueTranslator(&qtApp));
  // In English Qt's dialogs keep their own (English) texts.
  if (CurrentLanguage() == Language::kChinese) installChineseTexts(qtApp);
}

bool CDolvaneCaiJiApp::installChineseTexts(QApplication& qtApp) {
  auto* translator = new QTranslator(&qtApp);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QApplication::installTranslator(translator);
}

PortOffer OfferSimulatedBus(const SimBus& bus) {
  return [&bus] { return std::vector<PortChoice>{{bus.devicePath(), DescribeBus(bus)}}; };
}
