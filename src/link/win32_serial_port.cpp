#include "link/win32_serial_port.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "link/win32_utf16.h"

namespace {

OpenError OpenErrorOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
      return OpenError::kNotFound;
    // A serial driver answers a port that another program holds with access denied.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return OpenError::kBusy;
    default:
      return OpenError::kOther;
  }
}

HANDLE H(void* handle) { return static_cast<HANDLE>(handle); }

BYTE ParityCode(Parity parity) {
  switch (parity) {
    case Parity::kEven: return EVENPARITY;
    case Parity::kOdd: return ODDPARITY;
    default: return NOPARITY;
  }
}

}  // namespace

std::string Win32DeviceName(const std::string& port) {
  return port.rfind("\\\\", 0) == 0 ? port : "\\\\.\\" + port;
}

Win32SerialPort::~Win32SerialPort() { close(); }

OpenError Win32SerialPort::open(const std::string& device) {
  close();
  // Share mode 0: a port held by another program (or by this one) is refused.
  HANDLE h = CreateFileW(Utf16(Win32DeviceName(device)).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return OpenErrorOf(GetLastError());
  handle_ = h;
  readWait_.reset();
  return OpenError::kNone;
}

bool Win32SerialPort::setQueueSizes(size_t input, size_t output) {
  return isOpen() && SetupComm(H(handle_), static_cast<DWORD>(input), static_cast<DWORD>(output));
}

bool Win32SerialPort::setTimeouts(const PortTimeouts& timeouts) {
  if (!isOpen()) return false;
  timeouts_ = timeouts;
  readWait_.reset();
  return setDriverTimeouts(std::chrono::milliseconds(0));
}

// The read loop (link/transfer_loop.h) applies the port's interval and total
// limits itself, so that it can call the idle callback and end early on a
// complete exception frame, as the POSIX back end does. Each ReadFile blocks in
// the driver, nothing polls: it ends after `readWait`, at a gap of gapMs_ after
// a byte, or with `room` bytes. A wait of 0 returns what the driver holds at
// once. Writes keep the driver's own limit.
bool Win32SerialPort::setDriverTimeouts(std::chrono::milliseconds readWait) {
  if (readWait_ == readWait) return true;
  COMMTIMEOUTS t{};
  t.ReadIntervalTimeout = readWait.count() > 0 ? gapMs_ : MAXDWORD;
  t.ReadTotalTimeoutMultiplier = 0;
  t.ReadTotalTimeoutConstant = static_cast<DWORD>(readWait.count());
  t.WriteTotalTimeoutMultiplier = static_cast<DWORD>(timeouts_.writeMultiplier);
  t.WriteTotalTimeoutConstant = static_cast<DWORD>(timeouts_.writeConstant);
  if (!SetCommTimeouts(H(handle_), &t)) {
    readWait_.reset();
    return false;
  }
  readWait_ = readWait;
  return true;
}

bool Win32SerialPort::setLine(int baudRate, Parity parity, int stopBits) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!isOpen() || !GetCommState(H(handle_), &dcb)) return false;
  dcb.BaudRate = static_cast<DWORD>(baudRate);
  dcb.ByteSize = 8;
  dcb.Parity = ParityCode(parity);
  dcb.fParity = parity != Parity::kNone;
  dcb.StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
  dcb.fBinary = TRUE;
  // No flow control of any kind: an RS-485 adapter drives the line by itself.
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  constexpr unsigned kMaxBitsPerCharacter = 11;
  const unsigned baud = static_cast<unsigned>(std::max(baudRate, 1));
  gapMs_ = std::max(2u, (2 * kMaxBitsPerCharacter * 1000 + baud - 1) / baud);
  readWait_.reset();
  return SetCommState(H(handle_), &dcb);
}

bool Win32SerialPort::purge() {
  return isOpen() &&
         PurgeComm(H(handle_), PURGE_RXABORT | PURGE_TXABORT | PURGE_RXCLEAR | PURGE_TXCLEAR);
}

void Win32SerialPort::clearErrors() {
  DWORD errors = 0;
  COMSTAT status{};
  if (isOpen()) ClearCommError(H(handle_), &errors, &status);
}

IoResult Win32SerialPort::write(const uint8_t* bytes, size_t count) {
  IoResult result{isOpen(), 0};
  if (!isOpen()) return result;
  DWORD written = 0;
  // The driver ends the write after M * count + C; a removed adapter fails it.
  result.ok = WriteFile(H(handle_), bytes, static_cast<DWORD>(count), &written, nullptr);
  result.count = written;
  return result;
}

TransferStep Win32SerialPort::readSome(uint8_t* into, size_t room, std::chrono::milliseconds wait) {
  if (!setDriverTimeouts(wait)) return {false, 0};
  DWORD got = 0;
  // A removed adapter (or a hung-up line) fails the call: a failure, not a time-out.
  if (!ReadFile(H(handle_), into, static_cast<DWORD>(room), &got, nullptr)) return {false, 0};
  return {true, got};
}

IoResult Win32SerialPort::read(uint8_t* bytes, size_t count, const CompleteTest& complete) {
  if (!isOpen()) return {false, 0};
  return ReadWithDeadline(bytes, count, timeouts_, complete, [this] { callIdle(); },
                          [this](uint8_t* into, size_t room, std::chrono::milliseconds wait) {
                            return readSome(into, room, wait);
                          });
}

std::vector<uint8_t> Win32SerialPort::discardUntilQuiet(int quietMs, int limitMs) {
  if (!isOpen()) return {};
  return DiscardUntilQuiet(quietMs, limitMs, [this](uint8_t* into, size_t room, std::chrono::milliseconds wait) {
    return readSome(into, room, wait);
  });
}

void Win32SerialPort::close() {
  if (handle_) {
    CloseHandle(H(handle_));
    handle_ = nullptr;
  }
}
