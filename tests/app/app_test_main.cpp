#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

#include "app/dolvane_cai_ji_app.h"

namespace {

// Offscreen, the window tests run on the screen of the field report: a
// 1366×768 laptop at 96 DPI (the platform's own default is 800×800).
void UseLaptopScreen(QTemporaryFile& config) {
  if (qgetenv("QT_QPA_PLATFORM") != "offscreen" || !config.open()) return;
  config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  config.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
}

}  // namespace

// Widgets need one QApplication for the whole run; Qt's own buttons read as
// the application shows them (确定/取消).
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // ctest lists the tests at build time, where there may be no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QTemporaryFile screenConfig;
  UseLaptopScreen(screenConfig);
  QApplication app(argc, argv);
  CDolvaneCaiJiApp::installChineseTexts(app);
  return RUN_ALL_TESTS();
}
