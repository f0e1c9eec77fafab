#include "app/catalogue_translator.h"

#include "console/texts.h"

QString CatalogueTranslator::translate(const char* context, const char* sourceText, const char*, int) const {
  if (CurrentLanguage() == Language::kChinese) return {};  // the source is the Chinese
  const char* english = EnglishOf(context, sourceText);
  return english ? QString::fromUtf8(english) : QString();
}
