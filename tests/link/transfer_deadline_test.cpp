#include "link/transfer_deadline.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using Ms = TransferDeadline::Ms;

// Times in the table are milliseconds from the start of the transfer.
struct Moment {
  int at;
  bool bytes;     // bytes arrive at this moment (before the check)
  int expectLeft; // -1: no limit applies
};

void Walk(TransferDeadline deadline, std::initializer_list<Moment> moments) {
  for (const Moment& m : moments) {
    if (m.bytes) deadline.bytesArrived(Ms(m.at));
    const auto left = deadline.left(Ms(m.at));
    if (m.expectLeft < 0) {
      EXPECT_FALSE(left.has_value()) << "at " << m.at;
      EXPECT_FALSE(deadline.expired(Ms(m.at))) << "at " << m.at;
    } else {
      ASSERT_TRUE(left.has_value()) << "at " << m.at;
      EXPECT_EQ(left->count(), m.expectLeft) << "at " << m.at;
      EXPECT_EQ(deadline.expired(Ms(m.at)), m.expectLeft == 0) << "at " << m.at;
    }
  }
}

TEST(TransferDeadline, TotalBoundsAReadWhoseBytesKeepTrickling) {
  // 10 bytes: 10 * 10 + 100 = 200 ms, whatever the gaps between bytes.
  Walk(TransferDeadline::forRead({100, 10, 100, 0, 0}, 10),
       {{0, false, 200}, {50, true, 100}, {120, true, 80}, {190, true, 10}, {200, false, 0},
        {260, false, 0}});
}

TEST(TransferDeadline, IntervalStartsWithTheFirstByteAndRestartsWithEach) {
  Walk(TransferDeadline::forRead({100, 10, 1000, 0, 0}, 10),
       {{50, false, 1050}, {60, true, 100}, {150, true, 100}, {249, false, 1}, {250, false, 0}});
}

TEST(TransferDeadline, ZeroTermsSetNoLimit) {
  // All zero: no limit at all, before or after bytes.
  Walk(TransferDeadline::forRead({0, 0, 0, 0, 0}, 8),
       {{0, false, -1}, {5000, true, -1}, {100000, false, -1}});
  // Interval 0: the first chunk does not end the read; only the total does.
  Walk(TransferDeadline::forRead({0, 5, 100, 0, 0}, 4),
       {{10, true, 110}, {11, false, 109}, {120, false, 0}});
  // Totals 0: only the interval, from the first byte on.
  Walk(TransferDeadline::forRead({30, 0, 0, 0, 0}, 4),
       {{0, false, -1}, {900, false, -1}, {1000, true, 30}, {1030, false, 0}});
  // A multiplier alone or a constant alone still bounds the read.
  Walk(TransferDeadline::forRead({0, 7, 0, 0, 0}, 3), {{0, false, 21}});
  Walk(TransferDeadline::forRead({0, 0, 40, 0, 0}, 3), {{0, false, 40}});
}

TEST(TransferDeadline, WriteUsesItsOwnTermsAndNoInterval) {
  const PortTimeouts t{5, 1, 2, 10, 100};
  Walk(TransferDeadline::forWrite(t, 8), {{0, false, 180}, {20, true, 160}, {180, false, 0}});
  Walk(TransferDeadline::forWrite({5, 1, 2, 0, 0}, 8), {{0, false, -1}, {100000, true, -1}});
}

TEST(TransferDeadline, LargeTermsDoNotWrapIntoAShortWait) {
  const auto left = TransferDeadline::forRead({0, INT_MAX, INT_MAX, 0, 0}, 1u << 20).left(Ms(0));
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(left->count(), static_cast<int64_t>(INT_MAX) * ((1 << 20) + 1));
}

}  // namespace
