#include <gtest/gtest.h>

#include <QApplication>

#include "app/dolvane_cai_ji_app.h"

// Widgets need one QApplication for the whole run; Qt's own buttons read as
// the application shows them (确定/取消).
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  CDolvaneCaiJiApp::installChineseTexts(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
