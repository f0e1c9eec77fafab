#pragma once
// SIGINT and SIGTERM (Ctrl+C), caught from the program's first instant. Until a
// run says otherwise a signal is only noted: a poll or a discovery run then ends
// at its next step (the exchange under way finishes, the logs are whole, the
// port is closed as usual). A one-shot operation, and a second signal, end the
// program at once instead, with the port's exclusive mode released.
#include <atomic>
#include <iosfwd>

// Called first thing in main.
void InstallStopSignals();
const std::atomic<bool>& StopRequested();
// The signal noted, or 0.
int StopSignal();
// From now on a signal ends the program at once; true when one came already.
bool EndAtOnceOnSignal();
// The run a signal ended: says so on err; the exit status, 128 + the signal.
int InterruptedExit(std::ostream& err);
