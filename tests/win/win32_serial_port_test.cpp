// The Windows port naming and the Win32 back end. The tests on COM5 run when
// windows-test.sh has mapped it to the Linux simulator (DOLVANE_COM5_SIM=1).
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>

#include "link/link.h"
#include "link/win32_serial_port.h"
#include "modbus/frames.h"

namespace {

// Wine lets a second CreateFile open a serial device; Windows' serial drivers refuse it.
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

TEST(Win32Ports, PortNumbersAndNamesAsTheWindowTakesThem) {
  struct Case {
    const char* entry;
    int number;  // 0: a name, used as given
    const char* device;
  };
  const Case cases[] = {
      {"1", 1, "COM1"},           {"9", 9, "COM9"},
      {"10", 10, "\\\\.\\COM10"}, {"255", 255, "\\\\.\\COM255"},
      {"COM5", 0, "COM5"},        {" com12 ", 0, "com12"},
      {"\\\\.\\COM3", 0, "\\\\.\\COM3"},
  };
  for (const Case& c : cases) {
    const auto entry = ParsePortEntry(c.entry);
    ASSERT_TRUE(entry) << c.entry;
    EXPECT_EQ(entry->number, c.number) << c.entry;
    EXPECT_EQ(entry->device, c.device) << c.entry;
  }
  for (const char* refused : {"0", "256", "COM", "COMX", "/dev/ttyS0", ""})
    EXPECT_FALSE(ParsePortEntry(refused)) << refused;
}

TEST(Win32Ports, CreateFileGetsTheDeviceNamespace) {
  EXPECT_EQ(Win32DeviceName("COM5"), "\\\\.\\COM5");
  EXPECT_EQ(Win32DeviceName("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(Win32DeviceName("\\\\.\\COM12"), "\\\\.\\COM12");
}

TEST(Win32SerialPort, AbsentPortFailsToOpenAndAClosedPortDoesNothing) {
  Win32SerialPort port;
  EXPECT_EQ(port.open("COM200"), OpenError::kNotFound);
  EXPECT_FALSE(port.isOpen());
  uint8_t bytes[4] = {1, 2, 3, 4};
  EXPECT_FALSE(port.write(bytes, 4).ok);
  EXPECT_FALSE(port.read(bytes, 4).ok);
  EXPECT_FALSE(port.setLine(9600, Parity::kEven, 1));
}

class OnSimulatedCom5 : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* mapped = std::getenv("DOLVANE_COM5_SIM");
    if (!mapped || std::string(mapped) != "1") GTEST_SKIP() << "COM5 is not mapped to the simulator";
  }
};

TEST_F(OnSimulatedCom5, OpenIsExclusiveOnWindowsAndEveryLineFormatIsAccepted) {
  Win32SerialPort first;
  ASSERT_EQ(first.open("COM5"), OpenError::kNone);
  Win32SerialPort second;
  if (!UnderWine()) {
    EXPECT_EQ(second.open("COM5"), OpenError::kBusy);
  }
  EXPECT_TRUE(first.setQueueSizes(1024, 1024));
  EXPECT_TRUE(first.setTimeouts(TimeoutsFor(9600)));
  for (const LineFormat& format : kLineFormats)
    EXPECT_TRUE(first.setLine(9600, format.parity, format.stopBits)) << format.text;
  EXPECT_TRUE(first.purge());
  first.close();
  EXPECT_EQ(second.open("COM5"), OpenError::kNone);
}

TEST_F(OnSimulatedCom5, SilentLineTimesOutAtTheTotalLimitWhileTheWindowIdles) {
  Win32SerialPort port;
  ASSERT_EQ(port.open("COM5"), OpenError::kNone);
  port.setTimeouts(TimeoutsFor(9600));  // C = 600, M = 5: 85 bytes wait 1025 ms
  int idles = 0;
  port.setIdleCallback([&] { ++idles; });
  uint8_t reply[85];
  const auto start = std::chrono::steady_clock::now();
  const IoResult got = port.read(reply, sizeof reply);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(got.ok);
  EXPECT_EQ(got.count, 0u);
  EXPECT_GE(waited, std::chrono::milliseconds(1025));
  EXPECT_LT(waited, std::chrono::seconds(10));  // a hang fails
  EXPECT_GE(idles, 1025 / 15 / 2);
}

TEST_F(OnSimulatedCom5, ExceptionReplyEndsTheReadAtOnce) {
  Win32SerialPort port;
  ASSERT_EQ(port.open("COM5"), OpenError::kNone);
  port.setTimeouts(TimeoutsFor(9600));
  port.setLine(9600, Parity::kNone, 1);
  port.purge();
  // Function 3 from register 0xFFF0 of station 1: past its register file.
  uint8_t frame[8] = {0x01, 0x03, 0xFF, 0xF0, 0x00, 0x10};
  PlaceCrc(frame, 6);
  ASSERT_EQ(port.write(frame, 8).count, 8u);
  uint8_t reply[37];
  const auto start = std::chrono::steady_clock::now();
  const IoResult got = port.read(reply, sizeof reply, [](const uint8_t* bytes, size_t count) {
    return count == 5 && (bytes[1] & 0x80);
  });
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(got.ok);
  ASSERT_EQ(got.count, 5u);
  EXPECT_EQ(reply[1], 0x83);
  EXPECT_LT(waited, std::chrono::milliseconds(600));  // well before the interval limit
}

}  // namespace
