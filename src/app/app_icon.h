#pragma once
#include <QIcon>

// The application icon (rendered from icons/dolvane.svg, compiled in).
QIcon AppIcon();
