#include "link/port_by_name.h"

#include "link/ports.h"
#include "link/tcp_address.h"

PortByName::PortByName(std::unique_ptr<SerialPort> serial, std::unique_ptr<SerialPort> tcp)
    : serial_(std::move(serial)), tcp_(std::move(tcp)), active_(serial_.get()) {
  for (SerialPort* port : {serial_.get(), tcp_.get()})
    if (port) port->setIdleCallback([this] { callIdle(); });
}

void PortByName::addNamed(std::string name, std::unique_ptr<SerialPort> port) {
  namedName_ = std::move(name);
  named_ = std::move(port);
  named_->setIdleCallback([this] { callIdle(); });
}

OpenError PortByName::open(const std::string& name) {
  active_->close();
  if (named_ && name == namedName_) {
    active_ = named_.get();
    return active_->open(name);
  }
  const bool tcp = IsTcpPortName(name);
  if (tcp && !tcp_) return OpenError::kNotFound;  // a build without TCP
  active_ = tcp ? tcp_.get() : serial_.get();
  return active_->open(name);
}

bool PortByName::setQueueSizes(size_t input, size_t output) {
  return active_->setQueueSizes(input, output);
}
bool PortByName::setTimeouts(const PortTimeouts& timeouts) { return active_->setTimeouts(timeouts); }
bool PortByName::setLine(int baudRate, Parity parity, int stopBits) {
  return active_->setLine(baudRate, parity, stopBits);
}
bool PortByName::purge() { return active_->purge(); }
void PortByName::clearErrors() { active_->clearErrors(); }
IoResult PortByName::write(const uint8_t* bytes, size_t count) { return active_->write(bytes, count); }
IoResult PortByName::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  return active_->read(bytes, count, complete);
}
std::vector<uint8_t> PortByName::discardUntilQuiet(int quietMs, int limitMs) {
  return active_->discardUntilQuiet(quietMs, limitMs);
}
void PortByName::close() { active_->close(); }
bool PortByName::isOpen() const { return active_->isOpen(); }
bool PortByName::carriesParity() const { return active_->carriesParity(); }

std::unique_ptr<SerialPort> NewPortByName() {
  return std::make_unique<PortByName>(NewPlatformSerialPort(), NewTcpPort());
}
