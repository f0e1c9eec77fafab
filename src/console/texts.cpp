#include "console/texts.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

namespace {

std::atomic<Language> gLanguage{Language::kChinese};

using Key = std::pair<std::string_view, std::string_view>;

const std::map<Key, const char*>& EnglishCatalogue() {
  static const std::map<Key, const char*> catalogue = [] {
    std::map<Key, const char*> table;
    for (size_t i = 0; i < kEnglishTranslationCount; ++i) {
      const Translation& t = kEnglishTranslations[i];
      table.emplace(Key{t.context, t.source}, t.english);
    }
    return table;
  }();
  return catalogue;
}

}  // namespace

void SetLanguage(Language language) { gLanguage = language; }
Language CurrentLanguage() { return gLanguage; }

const char* EnglishOf(const char* context, const char* source) {
  if (!context || !source) return nullptr;
  const auto& catalogue = EnglishCatalogue();
  const auto found = catalogue.find(Key{context, source});
  return found == catalogue.end() ? nullptr : found->second;
}

const char* Tr(const char* context, const char* source) {
  if (gLanguage == Language::kChinese) return source;
  const char* english = EnglishOf(context, source);
  return english ? english : source;
}

Language LanguageOfLocale(std::string_view name) {
  if (name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.")) return Language::kChinese;
  return name.starts_with("zh") ? Language::kChinese : Language::kEnglish;
}

Language LanguageOfEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LanguageOfLocale(value);
  }
  return Language::kChinese;
}

std::optional<Language> LanguageNamed(std::string_view name) {
  if (name == "zh") return Language::kChinese;
  if (name == "en") return Language::kEnglish;
  return std::nullopt;
}
