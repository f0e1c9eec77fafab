#pragma once
// The module and the user as a fuzzer plays them: a port whose reads are its
// bytes in pieces of its choosing (time-outs and failures included) and whose
// writes it may refuse or take in part, and a console whose fields, warning
// answers and combo selections it picks and whose pauses take no time.
//
// Checked on every write: nothing goes out after a declined warning, every
// frame carries its CRC (on a Modbus TCP connection: a sound MBAP header), and
// no frame exceeds its framing's longest (no read asks for more either). What
// went out and how the line was left are kept in FuzzWatch for a target's own
// checks. Replies are sealed in the framing of the port's name.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"
#include "fuzz_input.h"
#include "layout/form_model.h"
#include "link/serial_port.h"
#include "link/tcp_address.h"
#include "modbus/frames.h"

inline constexpr size_t kFuzzMaxFrame = 256;  // RTU's longest; MBAP's is kMaxAduBytes

// What the checks need to know of the run so far.
struct FuzzWatch {
  bool declined = false;  // a warning was answered Cancel
  std::vector<std::vector<uint8_t>> writes;  // every frame offered to the port
  // The port's line and time-outs as last set; baud 0 until set.
  int baudRate = 0;
  Parity parity = Parity::kNone;
  int stopBits = 0;
  std::optional<PortTimeouts> timeouts;
};

// The user: the form's fields, the answers to boxes and the port dialog.
class FuzzConsole : public Console, public FormView {
 public:
  FuzzConsole(FuzzInput& in, FuzzWatch& watch) : in_(in), watch_(watch) {}

  std::string fieldText(int) const override {
    switch (in_.byte() % 5) {
      case 0: return "1";
      case 1: return std::to_string(in_.byte());
      case 2: return std::to_string(in_.word());
      case 3: return std::to_string(static_cast<int32_t>(in_.word() << 16 | in_.word()));
      default: return in_.text(12);
    }
  }
  void setPaneText(const std::string&) override {}
  void showInfo(const std::string&) override {}
  bool askWarning(const std::string&) override {
    const bool ok = (in_.byte() & 1) == 0;
    if (!ok) watch_.declined = true;
    return ok;
  }
  // -1 is a combo with no selection.
  int comboSelection(int) const override { return static_cast<int>(in_.range(0, 10)) - 1; }
  std::optional<std::string> askPort() override {
    switch (in_.byte() % 5) {
      case 0: return "/dev/ttyFuzz";
      case 1: return std::nullopt;
      case 2: return std::to_string(in_.range(0, 256));  // a port number; never opened
      case 3: return "mbtcp:gw.fuzz";
      default: return in_.text(16);
    }
  }
  // Scans and readers pause for seconds in all; a fuzzer cannot wait.
  void pause(int) override {}

 private:
  FuzzInput& in_;
  FuzzWatch& watch_;
};

class FuzzPort : public SerialPort {
 public:
  // `carriesParity`: a port that refuses parity, as a pty or a virtual COM port does.
  FuzzPort(FuzzInput& in, FuzzWatch& watch, bool carriesParity = true)
      : in_(in), watch_(watch), carriesParity_(carriesParity) {}

  OpenError open(const std::string& name) override {
    mbap_ = IsModbusTcpPortName(name);
    static const OpenError kFailures[] = {OpenError::kNotFound, OpenError::kPermission,
                                          OpenError::kBusy,     OpenError::kRefused,
                                          OpenError::kNoHost,   OpenError::kTimedOut,
                                          OpenError::kOther};
    const uint8_t choice = in_.byte();
    open_ = choice < 240;
    return open_ ? OpenError::kNone : kFailures[choice % std::size(kFailures)];
  }
  bool setQueueSizes(size_t, size_t) override { return open_; }
  bool setTimeouts(const PortTimeouts& timeouts) override {
    watch_.timeouts = timeouts;
    return open_;
  }
  bool setLine(int baudRate, Parity parity, int stopBits) override {
    watch_.baudRate = baudRate;
    watch_.parity = parity;
    watch_.stopBits = stopBits;
    return open_;
  }
  bool carriesParity() const override { return carriesParity_; }
  bool purge() override { return open_; }
  void clearErrors() override {}
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }

  IoResult write(const uint8_t* bytes, size_t count) override {
    Require(!watch_.declined, "a frame was sent after a declined warning");
    Require(count <= maxFrame(), "a frame longer than its framing allows was sent");
    if (mbap_)
      Require(count >= kMbapHeaderBytes + 1 && WordAt(bytes, 2) == 0 && WordAt(bytes, 4) == count - 6,
              "an MBAP frame was sent with a wrong header");
    else
      Require(count >= 4 && CrcMatches(bytes, static_cast<uint32_t>(count)), "a frame was sent without its CRC");
    watch_.writes.emplace_back(bytes, bytes + count);
    switch (in_.byte() % 8) {
      case 6: return {false, 0};
      case 7: return {true, in_.range(0, count - 1)};
      default: return {true, count};
    }
  }

  // The reply arrives in pieces; after each the read may end early, as a real
  // port's does once `complete` says the frame is whole.
  IoResult read(uint8_t* bytes, size_t count, const CompleteTest& complete) override {
    Require(count <= maxFrame(), "a read asked for more than its framing's longest reply");
    size_t got = 0;
    while (got < count) {
      const size_t left = count - got;
      switch (in_.byte() % 8) {
        case 0: return {true, got};   // time-out
        case 1: return {false, got};  // the device failed
        case 2:
        case 3: {  // raw bytes
          const size_t n = in_.range(1, left);
          in_.fill(bytes + got, n);
          got += n;
          break;
        }
        case 4:  // everything still due, ending in the CRC of all so far (or under a sound header)
          got += Sealed(bytes, got, left);
          break;
        case 5:  // the same, framed as the module answers the last request
          if (got == 0) Answering(bytes, count);
          got += Sealed(bytes, got, left, got == 0 ? answerHead() : 0);
          break;
        default:  // a sealed piece of any length: exception replies, short frames
          got += Sealed(bytes, got, left < 2 ? left : in_.range(2, left));
          break;
      }
      if (complete && complete(bytes, got)) break;
    }
    return {true, got};
  }

  // The tail of a failed reply, still arriving while the line settles.
  std::vector<uint8_t> discardUntilQuiet(int, int) override {
    std::vector<uint8_t> tail(in_.range(0, 8));
    in_.fill(tail.data(), tail.size());
    return tail;
  }

 private:
  size_t maxFrame() const { return mbap_ ? kMaxAduBytes : kFuzzMaxFrame; }
  size_t pduOffset() const { return PduOffset(mbap_ ? Framing::kMbap : Framing::kRtu); }
  // The envelope's bytes after the PDU: RTU's CRC; MBAP has none.
  size_t trailer() const { return mbap_ ? 0 : 2; }

  // The first bytes of a reply to the last frame written, `count` bytes long:
  // its envelope's head, its function, then a read's byte count or a write's echo.
  size_t answerHead() const { return pduOffset() + 5; }
  void Answering(uint8_t* bytes, size_t count) {
    in_.fill(bytes, std::min(count, answerHead()));
    const size_t at = pduOffset();
    if (watch_.writes.empty() || count < at + 3) return;
    const std::vector<uint8_t>& request = watch_.writes.back();
    std::copy(request.begin(), request.begin() + static_cast<long>(at + 1), bytes);  // head and function
    if (bytes[at] == 0x03 && count >= at + 2 + trailer()) {
      bytes[at + 1] = static_cast<uint8_t>(count - at - 2 - trailer());
    } else if (count >= answerHead() + trailer()) {
      for (size_t i = at + 1; i < answerHead() && i < request.size(); ++i) bytes[i] = request[i];
    }
  }

  // n bytes at bytes[got]: fuzzer data (after `kept` bytes already placed),
  // then the CRC of bytes[0..got + n - 2); on a Modbus TCP connection the data
  // goes under the last request's transaction id, protocol 0 and the length.
  size_t Sealed(uint8_t* bytes, size_t got, size_t n, size_t kept = 0) {
    const size_t sealed = n < trailer() ? 0 : trailer();
    if (kept < n - sealed) in_.fill(bytes + got + kept, n - sealed - kept);
    if (sealed) PlaceCrc(bytes, static_cast<uint32_t>(got + n - 2));
    if (mbap_ && got + n >= 6) {
      if (!watch_.writes.empty() && watch_.writes.back().size() >= 2) std::copy_n(watch_.writes.back().begin(), 2, bytes);
      bytes[2] = bytes[3] = 0;
      bytes[4] = static_cast<uint8_t>((got + n - 6) >> 8);
      bytes[5] = static_cast<uint8_t>((got + n - 6) & 0xFF);
    }
    return n;
  }

  FuzzInput& in_;
  FuzzWatch& watch_;
  bool carriesParity_;
  bool open_ = false;
  bool mbap_ = false;  // the last open was a Modbus TCP name
};
