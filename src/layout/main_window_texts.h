#pragma once
// The main window's own texts, shared by the Qt and the Win32 window.
#include <string>

// Plainly fictitious: they must reach no one.
inline constexpr const char* kWebAddress = "https://www.dolvane.example";
inline constexpr const char* kSupportPhone = "000-0000-0000";

inline constexpr const char* kMainWindowCaption = "Dolvane采集模块调试工具V2.8";
inline constexpr const char* kAboutItem = "关于 DolvaneCaiJi(&A)...";
// The tools beside the About item on the window's context menu (Ctrl+M, Ctrl+F).
inline constexpr const char* kTrafficItem = "通讯监视(&M)...";
inline constexpr const char* kDiscoveryItem = "查找模块(&F)...";
inline constexpr const char* kBusViewItem = "总线视图(&B)...";
inline constexpr const char* kJournalItem = "写入记录(&J)...";
// The button a notice offers beside 确定 after a module moved, and the
// finder's after it found a station's line: the window follows the module.
inline constexpr const char* kFollowModuleText = "切换到新的通讯参数";
inline constexpr const char* kRegisterTableItem = "寄存器表(&T)...";
// Checked: the register tools read the words they replace first, for the journal.
inline constexpr const char* kReadBeforeWriteItem = "写入前读取原值(&R)";

// Button 1000's caption while the port is open or closed.
const char* OpenButtonCaption(bool portOpen);

// The caption bar: the window's name, two blanks, the web address.
std::string MainWindowTitle();
// What the pane shows when the window opens.
std::string WelcomeText();
