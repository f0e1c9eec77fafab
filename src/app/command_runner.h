#pragma once
// How a tool window runs a job the way the main window runs a command: on the
// session's worker, one at a time; `done` on the window's thread once it
// ended. False when the port is busy (a command or a poll holds it).
#include <functional>

class Operations;

using CommandRunner = std::function<bool(std::function<void(Operations&)> job, std::function<void()> done)>;
