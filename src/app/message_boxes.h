#pragma once
// The two kinds of message box, always owned by the window that asks.
#include <QString>
#include <functional>

#include "console/texts.h"

class QMessageBox;
class QWidget;

inline constexpr TrText kInfoTitle = TrNoop("app", "提示");
inline constexpr TrText kWarningTitle = TrNoop("app", "警告");

// Title 提示, OK only, no icon.
void ShowInfoBox(QWidget* owner, const QString& text);
// The boxes opened without waiting (title 警告 with OK and Cancel for a warning),
// modal to their owner's window only:
// the event loop runs on, and the answer comes when the user closes the box.
void OpenInfoBox(QWidget* owner, const QString& text, std::function<void()> closed);
// The info box with a second button beside 确定, which stays the default:
// `closed` hears whether the second one was clicked.
void OpenInfoBoxOffering(QWidget* owner, const QString& text, const QString& offer,
                         std::function<void(bool offered)> closed);
void OpenWarningBox(QWidget* owner, const QString& text, bool cancelByDefault,
                    std::function<void(bool ok)> answered);
// The least width of a box: its title, plus room for the window manager's
// icon and buttons beside it in the title bar.
int MessageBoxMinimumWidth(const QMessageBox& box);
