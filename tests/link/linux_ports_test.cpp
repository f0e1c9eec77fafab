// Port enumeration over a fake sysfs and /dev, laid out as the kernel does.
#include "link/linux_ports.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class FakeSysfs : public ::testing::Test {
 protected:
  fs::path root;
  fs::path sys() const { return root / "sys"; }
  fs::path dev() const { return root / "dev"; }

  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "dolvane-sysfs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root = pattern;
    fs::create_directories(sys() / "class" / "tty");
    fs::create_directories(dev());
  }
  void TearDown() override { fs::remove_all(root); }

  static void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
  }
  // A tty under `device` (relative to sys/devices), linked from class/tty, with
  // the device's driver and, when given, serial_core's `type`.
  fs::path tty(const std::string& name, const std::string& device, const std::string& driver,
               const char* type, bool node = true) {
    const fs::path deviceDir = sys() / "devices" / device;
    const fs::path ttyDir = deviceDir / "tty" / name;
    fs::create_directories(ttyDir);
    fs::create_directory_symlink(deviceDir, ttyDir / "device");
    fs::create_directory_symlink(sys() / "bus" / "drivers" / driver, deviceDir / "driver");
    if (type) write(ttyDir / "type", type);
    fs::create_directory_symlink(ttyDir, sys() / "class" / "tty" / name);
    if (node) write(dev() / name, "");
    return deviceDir;
  }
};

TEST_F(FakeSysfs, ListsRealPortsWithTheirDetailsWithoutPhantomsOrDuplicates) {
  // A Prolific adapter: ttyUSB0 under the interface, the USB device above it.
  const fs::path usb = sys() / "devices/pci0000:00/usb1/1-1";
  write(usb / "idVendor", "067b");
  write(usb / "idProduct", "2303");
  write(usb / "manufacturer", "Prolific Technology Inc.");
  write(usb / "product", "USB-Serial Controller");
  tty("ttyUSB0", "pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0", "pl2303", nullptr);
  fs::create_directories(dev() / "serial/by-id");
  fs::create_symlink("../../ttyUSB0", dev() / "serial/by-id/usb-Prolific_USB-Serial_Controller-if00-port0");
  // A CDC ACM device naming only its interface.
  const fs::path acm = sys() / "devices/pci0000:00/usb1/1-2";
  write(acm / "idVendor", "2341");
  write(acm / "idProduct", "0043");
  write(acm / "1-2:1.0/interface", "CDC Abstract Control Model");
  tty("ttyACM0", "pci0000:00/usb1/1-2/1-2:1.0", "cdc_acm", nullptr);
  // Built-in UARTs: two real, one placeholder with type 0, one placeholder
  // without a type, and one real port whose /dev node this machine lacks.
  tty("ttyS0", "pnp0/00:05/00:05:0/00:05:0.0", "port", "4");
  tty("ttyS10", "pci0000:00/0000:00:16.3", "serial", "4");
  tty("ttyS2", "platform/serial8250/serial8250:0/serial8250:0.2", "port", "1");
  tty("ttyS1", "platform/serial8250/serial8250:0/serial8250:0.1", "port", "0");
  tty("ttyS3", "platform/serial8250", "serial8250", nullptr);
  tty("ttyUSB1", "pci0000:00/usb1/1-1/1-1:1.1/ttyUSB1", "pl2303", nullptr, false);
  // Virtual terminals have no device.
  fs::create_directories(sys() / "devices/virtual/tty/tty0");
  fs::create_directory_symlink(sys() / "devices/virtual/tty/tty0", sys() / "class/tty/tty0");
  write(dev() / "tty0", "");

  const auto ports = ListSerialPortsIn(sys().string(), dev().string());
  const struct {
    std::string device;
    std::string details;
    std::string stableName;
  } expected[] = {
      {"ttyACM0", "CDC Abstract Control Model (2341:0043)", ""},
      {"ttyUSB0", "USB-Serial Controller (Prolific Technology Inc., 067B:2303)",
       "serial/by-id/usb-Prolific_USB-Serial_Controller-if00-port0"},
      {"ttyS0", "16550A", ""},
      {"ttyS2", "8250", ""},
      {"ttyS10", "16550A", ""},
  };
  ASSERT_EQ(ports.size(), std::size(expected));
  for (size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].device, (dev() / expected[i].device).string());
    EXPECT_EQ(PortDetails(ports[i]), expected[i].details) << expected[i].device;
    const std::string stable = expected[i].stableName.empty() ? "" : (dev() / expected[i].stableName).string();
    EXPECT_EQ(ports[i].stableName, stable) << expected[i].device;
  }
  EXPECT_EQ(ports[1].vid, 0x067B);
  EXPECT_EQ(ports[1].pid, 0x2303);
  EXPECT_EQ(ports[1].manufacturer, "Prolific Technology Inc.");
}

TEST_F(FakeSysfs, MissingTreesListNothing) {
  EXPECT_TRUE(ListSerialPortsIn((root / "none").string(), (root / "none").string()).empty());
  EXPECT_TRUE(ListSerialPortsIn(sys().string(), dev().string()).empty());
}

TEST(PortDetails, ShowsOnlyWhatIsKnown) {
  const struct {
    SerialPortInfo port;
    const char* text;
  } cases[] = {
      {{"/dev/ttyUSB0", "USB-Serial Controller", "Prolific", 0x067B, 0x2303, ""},
       "USB-Serial Controller (Prolific, 067B:2303)"},
      {{"/dev/ttyUSB0", "", "FTDI", 0x0403, 0x6001, ""}, "FTDI, 0403:6001"},
      {{"/dev/ttyUSB0", "FT232R USB UART", "", 0x0403, 0x6001, ""}, "FT232R USB UART (0403:6001)"},
      {{"/dev/ttyS0", "16550A", "", 0, 0, ""}, "16550A"},
      {{"/dev/ttyAMA0", "", "", 0, 0, ""}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PortDetails(c.port), c.text);
}

}  // namespace
