#include "link/standard_fds.h"

// A Windows program never hands a serial port the number of a standard stream.
void KeepStandardFdsOpen() {}
