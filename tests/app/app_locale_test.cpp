// The toolkit adopts the user's locale; the reports' numbers must not.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <string>

#include "app/dolvane_cai_ji_app.h"
#include "console/text.h"
#include "support/temp_file.h"

namespace {

TEST(AppLocale, ReportsKeepAFullStopUnderACommaLocale) {
  TempFolder locales;
  const std::string build = "localedef -i de_DE -f UTF-8 " + locales.path() + "/de_DE.UTF-8 >/dev/null 2>&1";
  ::setenv("LOCPATH", locales.path().c_str(), 1);
  if (std::system(build.c_str()) != 0 || !std::setlocale(LC_ALL, "de_DE.UTF-8")) {
    ::unsetenv("LOCPATH");
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no comma-decimal locale can be made here";
  }
  CDolvaneCaiJiApp app(*qApp);
  std::string number;
  appendf(number, "%.2f", 12.34);
  std::setlocale(LC_ALL, "C");
  ::unsetenv("LOCPATH");
  EXPECT_EQ(number, "12.34");
}

}  // namespace
