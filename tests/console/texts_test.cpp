#include <gtest/gtest.h>

#include <string>

#include "console/texts.h"

namespace {

// Each test leaves the process in the default language.
class TextsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetLanguage(Language::kChinese); }
};

constexpr TrText kPortClosed = TrNoop("operations", "串口已关闭！");

}  // namespace

TEST_F(TextsTest, ChineseIsTheSourceItselfAndEnglishComesFromTheCatalogue) {
  const char* source = "串口已关闭！";
  EXPECT_EQ(Tr("operations", source), source);  // the very pointer: byte-exact by construction
  EXPECT_EQ(std::string(kPortClosed), source);
  SetLanguage(Language::kEnglish);
  EXPECT_STREQ(Tr("operations", source), "Port closed!");
  EXPECT_EQ(std::string(kPortClosed), "Port closed!");
  EXPECT_EQ("[" + kPortClosed + "]", "[Port closed!]");
  // A text the catalogue lacks, or one of another context, shows its source.
  EXPECT_STREQ(Tr("operations", "目录中没有的文字"), "目录中没有的文字");
  EXPECT_STREQ(Tr("no such context", source), source);
}

TEST_F(TextsTest, LocaleNamesPickTheLanguage) {
  const struct {
    const char* name;
    Language language;
  } cases[] = {
      {"", Language::kChinese},          {"C", Language::kChinese},          {"POSIX", Language::kChinese},
      {"C.UTF-8", Language::kChinese},   {"zh_CN.UTF-8", Language::kChinese}, {"zh_TW", Language::kChinese},
      {"en_US.UTF-8", Language::kEnglish}, {"de_DE.UTF-8", Language::kEnglish}, {"en", Language::kEnglish},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageOfLocale(c.name), c.language) << '"' << c.name << '"';
  EXPECT_EQ(LanguageNamed("en"), Language::kEnglish);
  EXPECT_EQ(LanguageNamed("zh"), Language::kChinese);
  EXPECT_FALSE(LanguageNamed("fr"));
  EXPECT_FALSE(LanguageNamed("EN"));
}
