#pragma once
// The two kinds of message box, always owned by the window that asks.
#include <QString>

class QWidget;

inline constexpr const char* kInfoTitle = "提示";
inline constexpr const char* kWarningTitle = "警告";

// Title 提示, OK only, no icon.
void ShowInfoBox(QWidget* owner, const QString& text);
// Title 警告, OK and Cancel; true when OK was chosen.
bool AskWarningBox(QWidget* owner, const QString& text);
