#!/usr/bin/env bash
# Gathers every text of src/ into translations/*.ts (Qt Linguist), keeping the
# translations already made; new texts come in unfinished. Run after adding or
# changing a text, translate the new entries (Qt Linguist, or the file by hand),
# then build: the English table is compiled from dolvane_en.ts.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install_missing.sh
install_missing qt6-l10n-tools

# Tr("Context", "…"), TrNoop and TrMark of console/texts.h read as
# QCoreApplication::translate and QT_TRANSLATE_NOOP; Qt code uses tr() itself.
/usr/lib/qt6/bin/lupdate -silent -locations relative \
  -tr-function-alias translate+=Tr,QT_TRANSLATE_NOOP+=TrNoop,QT_TRANSLATE_NOOP+=TrMark \
  -extensions cpp,h src -ts translations/dolvane_en.ts
