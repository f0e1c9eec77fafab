#pragma once
// The product's texts in the user's language. The source of every text is the
// Chinese the window has always shown; English comes from translations/
// dolvane_en.ts, compiled into a table at build time (console/translations
// generated), so the toolkit-free layers, the Win32 window and the CLI read the
// same catalogue as the Qt window's tr().
//
// In the code: Tr("Context", "…") for a literal where it is used; TrNoop for a
// named constant, TrMark for a table entry, both translated where read. lupdate
// finds all three (scripts/update-translations.sh).
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

enum class Language { kChinese, kEnglish };

// Chinese until a front sets the language, so tests and libraries read the
// source texts.
void SetLanguage(Language language);
Language CurrentLanguage();

// The text in the current language: the source itself in Chinese or when the
// catalogue lacks it. format_arg keeps the compiler's printf check on the source.
const char* Tr(const char* context, const char* source) __attribute__((format_arg(2)));
// The catalogue's English for the source, or nullptr.
const char* EnglishOf(const char* context, const char* source);

// A text kept in a constant or a table and translated where it is read.
struct TrText {
  const char* context;
  const char* source;
  const char* text() const { return Tr(context, source); }
  // Read where a const char* or a std::string was: as the constant did.
  operator const char*() const { return text(); }  // NOLINT(google-explicit-constructor)
  operator std::string() const { return text(); }  // NOLINT(google-explicit-constructor)
  friend bool operator==(const std::string& a, const TrText& b) { return a == b.text(); }
  friend std::string& operator+=(std::string& a, const TrText& b) { return a += b.text(); }
  friend std::string operator+(std::string a, const TrText& b) { return a += b.text(); }
  friend std::string operator+(const TrText& a, const std::string& b) { return a.text() + b; }
  friend std::string operator+(const TrText& a, const char* b) { return std::string(a.text()) + b; }
  friend std::string operator+(const char* a, const TrText& b) { return std::string(a) + b.text(); }
  friend std::ostream& operator<<(std::ostream& out, const TrText& t) { return out << t.text(); }
};
#define TrNoop(context, source) TrText{context, source}
// A literal in a table whose field stays a plain const char*: marked for the
// catalogue, translated by its reader with Tr and the same context.
#define TrMark(context, source) source

// The language a locale name asks for: zh_* Chinese, any other named language
// English; no name, C and POSIX keep the Chinese default.
Language LanguageOfLocale(std::string_view localeName);
// The POSIX locale of messages: LC_ALL, else LC_MESSAGES, else LANG.
Language LanguageOfEnvironment();
// --lang's value: "zh" or "en".
std::optional<Language> LanguageNamed(std::string_view name);

// One entry of the generated catalogue.
struct Translation {
  const char* context;
  const char* source;
  const char* english;
};
// The generated table (console/translations_en.cpp in the build tree).
extern const Translation kEnglishTranslations[];
extern const size_t kEnglishTranslationCount;
