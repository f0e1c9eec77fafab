#pragma once
// The main window's own texts, shared by the Qt and the Win32 window.
#include <string>
#include "console/texts.h"

// Plainly fictitious: they must reach no one.
inline constexpr const char* kWebAddress = "https://www.dolvane.example";
inline constexpr const char* kSupportPhone = "000-0000-0000";

inline constexpr TrText kMainWindowCaption = TrNoop("layout", "Dolvane采集模块调试工具V2.8");
inline constexpr TrText kAboutItem = TrNoop("layout", "关于 DolvaneCaiJi(&A)...");
// The tools beside the About item on the window's context menu (Ctrl+M, Ctrl+F).
inline constexpr TrText kTrafficItem = TrNoop("layout", "通讯监视(&M)...");
inline constexpr TrText kDiscoveryItem = TrNoop("layout", "查找模块(&F)...");
inline constexpr TrText kBusViewItem = TrNoop("layout", "总线视图(&B)...");
inline constexpr TrText kJournalItem = TrNoop("layout", "写入记录(&J)...");
// The button a notice offers beside 确定 after a module moved, and the
// finder's after it found a station's line: the window follows the module.
inline constexpr TrText kFollowModuleText = TrNoop("layout", "切换到新的通讯参数");
inline constexpr TrText kRegisterTableItem = TrNoop("layout", "寄存器表(&T)...");
// Checked: the register tools read the words they replace first, for the journal.
inline constexpr TrText kReadBeforeWriteItem = TrNoop("layout", "写入前读取原值(&R)");

// Button 1000's caption while the port is open or closed.
const char* OpenButtonCaption(bool portOpen);

// The caption bar: the window's name, two blanks, the web address.
std::string MainWindowTitle();
// What the pane shows when the window opens.
std::string WelcomeText();
