#pragma once
// The product's UTF-8 texts (literals, strings, catalogue constants) as QString.
#include <QString>
#include <string>

#include "console/texts.h"

inline QString Utf8(const char* text) { return QString::fromUtf8(text); }
inline QString Utf8(const std::string& text) { return QString::fromStdString(text); }
inline QString Utf8(const TrText& text) { return QString::fromUtf8(text.text()); }
