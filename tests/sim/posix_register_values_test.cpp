#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <stdexcept>
#include <string>

#include "sim/register_values.h"
#include "support/temp_file.h"

namespace {

using Words = std::map<uint16_t, uint16_t>;

// The message of the error LoadRegisterValues throws; empty when it loads.
std::string Refusal(const std::string& path) {
  try {
    LoadRegisterValues(path);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "";
}

TEST(RegisterValuesTest, LoadsRegisterEqualsValueLines) {
  TempFile file("# fixed words\n0=410\n  5 = 0x0100  # divisor 500\n\n39=65535\r\n7=0X1f");
  EXPECT_EQ(LoadRegisterValues(file.path()), (Words{{0, 410}, {5, 0x100}, {7, 0x1F}, {39, 65535}}));

  // The longest line allowed still loads.
  std::string longest = "1=2 #";
  longest.resize(kMaxValuesLine, 'x');
  file.write(longest + "\n");
  EXPECT_EQ(LoadRegisterValues(file.path()), (Words{{1, 2}}));
}

TEST(RegisterValuesTest, RefusesLinesOfAnotherForm) {
  TempFile file;
  for (const char* bad : {"1=65536\n", "x=1\n", "1=\n", "=1\n", "1 2\n", "1=-3\n", "1=0x\n",
                          "1=2=3\n", "0=1\n1=0x10000\n"}) {
    file.write(bad);
    const std::string why = Refusal(file.path());
    EXPECT_NE(why.find("expected register=value"), std::string::npos) << bad << why;
    EXPECT_EQ(why.rfind(file.path() + ":", 0), 0u) << why;
  }
  file.write("0=1\n1=x\n");
  EXPECT_EQ(Refusal(file.path()), file.path() + ":2: expected register=value");
}

TEST(RegisterValuesTest, RefusesWhatIsNotAReadableRegularFileOrHasAnEndlessLine) {
  TempFolder folder;
  TempFile file;
  struct Case {
    std::string path;
    std::string why;
  };
  const Case kCases[] = {
      {folder.path(), folder.path() + ": not a regular file"},
      {"/dev/zero", "/dev/zero: not a regular file"},
      {"/dev/null", "/dev/null: not a regular file"},
      {folder.path() + "/absent", folder.path() + "/absent: not a regular file"},
      {file.path(), file.path() + ":2: line longer than 1024 bytes"},
  };
  file.write("1=2\n" + std::string(kMaxValuesLine + 1, '1') + "=3\n");
  for (const Case& c : kCases) EXPECT_EQ(Refusal(c.path), c.why);

  if (::geteuid() != 0) {  // root reads every file
    file.write("1=2\n");
    ::chmod(file.path().c_str(), 0);
    EXPECT_EQ(Refusal(file.path()), "cannot read " + file.path());
  }
}

}  // namespace
