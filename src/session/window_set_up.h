#pragma once
#include <string>

class Operations;

// What both windows set up on their session's Operations before the first job:
// the link's defaults, and the write journal at its default place, with the
// register tools reading the words they replace first.
// Returns the journal's path, for the window's 写入记录 view.
std::string SetUpWindowOperations(Operations& ops);
