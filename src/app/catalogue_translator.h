#pragma once
// tr() and QCoreApplication::translate read the same catalogue as the
// toolkit-free layers (console/texts.h): one table, nothing to install beside
// the program.
#include <QTranslator>

class CatalogueTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override;
  bool isEmpty() const override { return false; }
};
