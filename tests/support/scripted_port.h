#pragma once
// A serial port without a device: records what is written and the line
// settings applied, answers reads from a script, and fails on request.
#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "link/serial_port.h"

class ScriptedPort : public SerialPort {
 public:
  struct Line {
    int baudRate;
    Parity parity;
    int stopBits;
  };

  std::vector<std::vector<uint8_t>> written;
  std::vector<Line> lines;            // every setLine, in order
  std::deque<std::vector<uint8_t>> replies;  // one per read; none reads as silence
  int opens = 0;
  int failOpenNumber = 0;   // the n-th open (from 1) fails
  int shortWriteNumber = 0; // the n-th write (from 1) takes one byte less
  int failWriteNumber = 0;  // the n-th write (from 1) fails and takes nothing
  int failReadNumber = 0;   // the n-th read (from 1) fails
  bool failReads = false;
  int reads = 0;            // reads asked for so far

  OpenError open(const std::string&) override {
    if (++opens == failOpenNumber) return OpenError::kBusy;
    open_ = true;
    return OpenError::kNone;
  }
  bool setQueueSizes(size_t, size_t) override { return open_; }
  bool setTimeouts(const PortTimeouts&) override { return open_; }
  bool setLine(int baudRate, Parity parity, int stopBits) override {
    lines.push_back({baudRate, parity, stopBits});
    return open_;
  }
  bool purge() override { return open_; }
  void clearErrors() override {}
  IoResult write(const uint8_t* bytes, size_t count) override {
    if (!open_) return {false, 0};
    written.emplace_back(bytes, bytes + count);
    const int number = static_cast<int>(written.size());
    if (number == failWriteNumber) return {false, 0};
    if (number == shortWriteNumber) return {true, count - 1};
    return {true, count};
  }
  IoResult read(uint8_t* bytes, size_t count, const CompleteTest& = {}) override {
    const int number = ++reads;
    if (!open_ || failReads || number == failReadNumber) return {false, 0};
    if (replies.empty()) return {true, 0};
    const std::vector<uint8_t> reply = std::move(replies.front());
    replies.pop_front();
    const size_t n = std::min(count, reply.size());
    std::memcpy(bytes, reply.data(), n);
    return {true, n};
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }

 private:
  bool open_ = false;
};
