#pragma once
#include <string>
#include <vector>

// Runs one command line; returns the exit status (0 done, 1 error box, 2 usage,
// 3 a warning answered Cancel). Output goes to the given streams.
int RunCli(const std::vector<std::string>& args);
