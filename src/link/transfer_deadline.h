#pragma once
// When a read or write has to give up, by the time-out rules of PortTimeouts.
// Pure arithmetic over times measured from the start of the transfer, so that
// a back end only feeds it clock readings and the rules can be tested alone.
#include <chrono>
#include <cstddef>
#include <optional>

#include "link/serial_port.h"

class TransferDeadline {
 public:
  using Ms = std::chrono::milliseconds;

  static TransferDeadline forRead(const PortTimeouts& timeouts, size_t count);
  // A read's total limit alone (nothing for none), as a box names the wait.
  static std::optional<Ms> readTotal(const PortTimeouts& timeouts, size_t count);
  static TransferDeadline forWrite(const PortTimeouts& timeouts, size_t count);

  // Bytes arrived at `now`: the interval limit, if any, starts again from here.
  void bytesArrived(Ms now);
  // Time left at `now` (0 when past), or nothing when no limit applies yet.
  std::optional<Ms> left(Ms now) const;
  bool expired(Ms now) const;

 private:
  TransferDeadline(std::optional<Ms> total, Ms interval) : total_(total), interval_(interval) {}

  std::optional<Ms> total_;         // end of the whole transfer
  Ms interval_{0};                  // 0: no limit between bytes
  std::optional<Ms> intervalEnd_;   // set from the first byte on
};
