// The command line speaks the locale's language, and --lang overrides it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/cli_run.h"

namespace {

// LC_ALL for the program run, the others out of its way.
class LocaleOfChild {
 public:
  explicit LocaleOfChild(const char* lcAll) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
      ::unsetenv(name);
    }
    if (lcAll) ::setenv("LC_ALL", lcAll, 1);
  }
  ~LocaleOfChild() {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name, value->c_str(), 1);
      else ::unsetenv(name);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

}  // namespace

TEST(CliLanguage, TheLocaleChoosesAndLangOverridesItBeforeOrAfterTheOperation) {
  const struct {
    const char* lcAll;
    std::vector<std::string> args;
    bool english;
  } cases[] = {
      {nullptr, {"--simulate", "read", "4SXY"}, false},
      {"C", {"--simulate", "read", "4SXY"}, false},
      {"zh_CN.UTF-8", {"--simulate", "read", "4SXY"}, false},
      {"en_US.UTF-8", {"--simulate", "read", "4SXY"}, true},
      {"en_US.UTF-8", {"--lang", "zh", "--simulate", "read", "4SXY"}, false},
      {"C", {"--simulate", "read", "4SXY", "--lang", "en"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.lcAll ? c.lcAll : "(none)") + " " + c.args[0] + " " + c.args.back());
    LocaleOfChild locale(c.lcAll);
    const CliRun run = RunCliProgram(c.args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("程序版本：") != std::string::npos, !c.english) << run.out;
    EXPECT_EQ(run.out.find("Firmware version: ") != std::string::npos, c.english) << run.out;
    EXPECT_EQ(run.out.find("Received data (hex):") != std::string::npos, c.english) << run.out;
  }
}

TEST(CliLanguage, AnUnknownLanguageIsAUsageError) {
  const CliRun run = RunArgs({"--lang", "fr", "--simulate", "read", "4SXY"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("--lang takes en or zh"), std::string::npos) << run.err;
}
