// Where the journal lives when nobody names it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "journal/durable_append.h"

namespace {

// Sets or clears the variables for one case, and puts them back after it.
class Variables {
 public:
  Variables() {
    for (const char* name : kNames) {
      const char* value = ::getenv(name);
      kept_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~Variables() {
    for (size_t i = 0; i < kept_.size(); ++i) set(kNames[i], kept_[i]);
  }
  static void set(const char* name, const std::optional<std::string>& value) {
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  }

  static constexpr const char* kNames[] = {"DOLVANE_JOURNAL", "XDG_DATA_HOME", "HOME"};

 private:
  std::vector<std::optional<std::string>> kept_;
};

TEST(JournalPathTest, TheVariableWinsThenXdgDataHomeThenHome) {
  Variables keep;
  const struct {
    std::optional<std::string> journal, xdg, home;
    std::string path;
  } kCases[] = {
      {"/tmp/j.jsonl", "/data", "/home/u", "/tmp/j.jsonl"},
      {std::nullopt, "/data", "/home/u", "/data/dolvane/journal.jsonl"},
      {"", "/data", "/home/u", "/data/dolvane/journal.jsonl"},  // empty: unset
      {std::nullopt, "relative", "/home/u", "/home/u/.local/share/dolvane/journal.jsonl"},  // not absolute: ignored
      {std::nullopt, std::nullopt, "/home/u", "/home/u/.local/share/dolvane/journal.jsonl"},
      {std::nullopt, std::nullopt, std::nullopt, ""},  // nowhere: every write is refused
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.path);
    Variables::set("DOLVANE_JOURNAL", c.journal);
    Variables::set("XDG_DATA_HOME", c.xdg);
    Variables::set("HOME", c.home);
    EXPECT_EQ(DefaultJournalPath(), c.path);
  }
}

}  // namespace
