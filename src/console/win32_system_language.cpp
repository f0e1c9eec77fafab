#include <windows.h>

#include "console/system_language.h"

Language SystemLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::kChinese : Language::kEnglish;
}
