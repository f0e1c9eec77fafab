#include "console/system_language.h"

Language SystemLanguage() { return LanguageOfEnvironment(); }
