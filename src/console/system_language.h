#pragma once
#include "console/texts.h"

// The language the user's system asks for, before --lang: on POSIX the locale
// of messages (LanguageOfEnvironment), on Windows the user's UI language
// (Chinese for any Chinese, English for any other).
Language SystemLanguage();
