#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of the command line.
inline constexpr int kExitDone = 0;
inline constexpr int kExitErrorBox = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCancelled = 3;

// Runs one command line (arguments without the program name). The pane's final
// text goes to out exactly; every box to err as "提示: TEXT" or "警告: TEXT".
// A warning is answered OK with -y, else asked on the terminal `in` when it
// is one, else Cancel.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::istream& in, bool inIsTerminal);
