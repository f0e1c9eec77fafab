// No TCP back end on Windows yet: a "tcp:" name then fails to open as a device
// that is not there (PortByName checks for the missing port).
#include "link/ports.h"
#include "link/serial_port.h"

std::unique_ptr<SerialPort> NewTcpPort() { return nullptr; }
