// The traffic window and the 查找模块 dialog over a small simulated bus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>

#include "app/discovery_dialog.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "app/traffic_window.h"
#include "console/control_ids.h"
#include "console/text.h"
#include "modbus/frames.h"
#include "models/demo_bus.h"
#include "support/line_blind_pty.h"
#include "tools/traffic_rows.h"
#include "support/scripted_port.h"

using apptest::BoxAnswerer;
using apptest::ButtonWithText;
using apptest::WhenModal;

namespace {

constexpr int kModules = 3;  // the demo bus's first modules, at stations 1..3

std::unique_ptr<SimBus> SmallBus() {
  auto bus = std::make_unique<SimBus>();
  const std::vector<SimModuleConfig> modules = DemoModules();
  for (int i = 0; i < kModules; ++i) bus->addModule(modules[i]);
  bus->start();
  return bus;
}

std::vector<uint8_t> BytesOf(const QString& hex) {
  std::vector<uint8_t> bytes;
  for (const QString& part : hex.split(' ', Qt::SkipEmptyParts)) bytes.push_back(part.toUInt(nullptr, 16));
  return bytes;
}

bool CrcHolds(const std::vector<uint8_t>& frame) {
  return frame.size() >= 4 && CrcMatches(frame.data(), static_cast<uint32_t>(frame.size()));
}

}  // namespace

class TrafficTest : public ::testing::Test {
 protected:
  std::unique_ptr<SimBus> bus = SmallBus();
  CDolvaneCaiJiDlg window;
  apptest::StrayModalCloser strays;

  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void TearDown() override { EXPECT_TRUE(strays.closed.isEmpty()) << strays.closed.join(", ").toStdString(); }

  void click(int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(id)), Qt::LeftButton);
    apptest::WaitForCommand(window);
  }

  void openPort() { openPort(bus->devicePath()); }
  void openPort(const std::string& device) {
    WhenModal<EditComDialog>([device](EditComDialog* dialog) {
      dialog->edit()->setText(QString::fromStdString(device));
      QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
    });
    click(ids::kOpenPort);
    ASSERT_EQ(window.operations().link().isOpen, 1);
  }

  // A 4SX/Y read of one station, its boxes answered.
  void read4SXY(int station) {
    qobject_cast<QLineEdit*>(window.control(ids::kStation))->setText(QString::number(station));
    BoxAnswerer boxes;
    click(ids::kRead4SXY);
  }
};

TEST_F(TrafficTest, ListsRequestsRepliesAndTimeOutsWithTheirVerdicts) {
  openPort();
  TrafficWindow* traffic = window.showTrafficWindow();
  read4SXY(1);
  bus->injectFault(1, SimFault::kBadCrc, 1);
  read4SXY(1);
  read4SXY(9);  // nobody there
  traffic->drainNow();

  ASSERT_EQ(traffic->rowCount(), 6);
  const auto cell = [traffic](int row, TrafficWindow::Column column) { return traffic->cell(row, column); };
  EXPECT_EQ(cell(0, TrafficWindow::kDirectionColumn), "TX");
  EXPECT_TRUE(cell(0, TrafficWindow::kBytesColumn).startsWith("01 03 00 00 00 28"));
  EXPECT_TRUE(cell(0, TrafficWindow::kVerdictColumn).startsWith(QString::fromUtf8("[CRC 正确] 功能码 03")));
  EXPECT_EQ(cell(0, TrafficWindow::kLineColumn), "9600 N,8,1");
  EXPECT_EQ(cell(1, TrafficWindow::kDirectionColumn), "RX");
  EXPECT_TRUE(cell(1, TrafficWindow::kVerdictColumn).startsWith(QString::fromUtf8("[CRC 正确] 功能码 03，85 / 85 字节")))
      << cell(1, TrafficWindow::kVerdictColumn).toStdString();

  // The corrupted reply as it came: all its bytes, its CRC not holding.
  EXPECT_TRUE(cell(3, TrafficWindow::kVerdictColumn).startsWith(QString::fromUtf8("[CRC 错误]")));
  const std::vector<uint8_t> bad = BytesOf(cell(3, TrafficWindow::kBytesColumn));
  EXPECT_EQ(bad.size(), 85u);
  EXPECT_FALSE(CrcHolds(bad));
  EXPECT_TRUE(CrcHolds(BytesOf(cell(1, TrafficWindow::kBytesColumn))));
  traffic->table()->selectRow(3);  // the whole frame beneath the list
  EXPECT_TRUE(traffic->detailText().contains(" RX " + cell(3, TrafficWindow::kBytesColumn) + QString::fromUtf8(" [CRC 错误]")))
      << traffic->detailText().toStdString();

  EXPECT_EQ(cell(5, TrafficWindow::kDirectionColumn), "RX");
  EXPECT_EQ(cell(5, TrafficWindow::kBytesColumn), "");
  EXPECT_TRUE(cell(5, TrafficWindow::kVerdictColumn).startsWith(QString::fromUtf8("[超时] ")));
}

TEST_F(TrafficTest, PauseKeepsFramesForLaterCopyAndSaveTakeTheRowsAndClearEmpties) {
  openPort();
  TrafficWindow* traffic = window.showTrafficWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(traffic));
  QTest::mouseClick(ButtonWithText(traffic, QString::fromUtf8("暂停")), Qt::LeftButton);
  ASSERT_TRUE(traffic->paused());
  read4SXY(2);
  traffic->drainNow();
  EXPECT_EQ(traffic->rowCount(), 0);
  EXPECT_EQ(traffic->heldCount(), 2);

  QTest::mouseClick(ButtonWithText(traffic, QString::fromUtf8("继续")), Qt::LeftButton);
  EXPECT_EQ(traffic->rowCount(), 2);
  EXPECT_EQ(traffic->heldCount(), 0);

  traffic->table()->selectAll();
  QTest::keyClick(traffic->table(), Qt::Key_C, Qt::ControlModifier);
  const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].contains(" TX 02 03 ")) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].contains(" RX 02 03 ") && lines[1].contains("[CRC ok]")) << lines[1].toStdString();

  QTemporaryDir dir;
  const QString csvPath = dir.filePath("traffic.csv");
  ASSERT_TRUE(traffic->saveTo(csvPath, TrafficWindow::SaveFormat::kCsv));
  QFile csv(csvPath);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 3);  // header and two frames
  // The line holds commas, so it is quoted; the verdict ends the row.
  EXPECT_TRUE(rows[2].contains(",RX,\"9600 N,8,1\",")) << rows[2].toStdString();
  EXPECT_TRUE(rows[2].endsWith(QString::fromUtf8("字节"))) << rows[2].toStdString();

  traffic->clear();
  EXPECT_EQ(traffic->rowCount(), 0);
}

// The save dialog's byte-order mark option: off by default here (on in a
// Windows build), and the CSV starts with EF BB BF exactly when it is on.
TEST_F(TrafficTest, TheSaveDialogsByteOrderMarkOptionDecidesHowTheCsvStarts) {
  openPort();
  TrafficWindow* traffic = window.showTrafficWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(traffic));
  read4SXY(1);
  traffic->drainNow();
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on);
    // A folder of its own each time: the dialog opens in the last one, and a
    // file picked in the folder it is still loading can be dropped.
    QTemporaryDir dir;
    const QString path = dir.filePath(on ? "marked.csv" : "plain.csv");
    std::optional<bool> offered;
    apptest::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
      auto* option = dialog->findChild<QCheckBox*>(QStringLiteral("byteOrderMark"));
      if (option) {
        offered = option->isChecked();
        option->setChecked(on);
      }
      dialog->selectNameFilter(QString::fromUtf8(kCsvFilter.text()));
      dialog->selectFile(path);
      // As OK does, without waiting for the dialog's folder view to load.
      static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    QTest::mouseClick(ButtonWithText(traffic, QString::fromUtf8(kSaveText.text())), Qt::LeftButton);
    ASSERT_TRUE(offered.has_value());
    // The first dialog offers the platform's default, the next the last choice.
    EXPECT_EQ(*offered, on ? kByteOrderMarkByDefault : true);
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBF"), on);
    EXPECT_TRUE(bytes.mid(on ? 3 : 0).startsWith(kTrafficColumnTitles[0].text())) << bytes.left(40).toStdString();
  }
}

TEST_F(TrafficTest, StationScanFindsTheModulesCancelEndsItAndNothingIsWritten) {
  const auto withDialog = [this](std::function<void(DiscoveryDialog*)> act) {
    WhenModal<DiscoveryDialog>([act](DiscoveryDialog* dialog) {
      act(dialog);
      QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("关闭")), Qt::LeftButton);
    });
    window.showDiscovery();
  };

  // Without an open port the engine's own box answers.
  withDialog([](DiscoveryDialog* dialog) {
    BoxAnswerer boxes;
    QTest::mouseClick(dialog->scanButton(), Qt::LeftButton);
    apptest::WaitUntil([&] { return !dialog->running() && !boxes.seen.empty(); });
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, QString::fromUtf8("串口未打开!"));
  });

  openPort();
  bus->clearReceived();
  QString found;
  QString cancelled;
  size_t framesAtCancel = 0;
  size_t framesAtEnd = 0;
  int progressAtEnd = 0;
  qint64 longestGapMs = 0;
  withDialog([&](DiscoveryDialog* dialog) {
    dialog->fromBox()->setValue(1);
    dialog->toBox()->setValue(6);
    apptest::LoopGapMeter gaps;  // the scan runs on the worker
    QTest::mouseClick(dialog->scanButton(), Qt::LeftButton);
    apptest::WaitUntil([dialog] { return !dialog->running(); });
    longestGapMs = gaps.longestMs();
    found = dialog->resultText();

    dialog->toBox()->setValue(247);
    QTimer::singleShot(300, [&, dialog] {
      EXPECT_TRUE(dialog->running());
      framesAtCancel = bus->receivedFrames().size();
      QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(dialog->scanButton(), Qt::LeftButton);
    apptest::WaitUntil([dialog] { return !dialog->running(); });
    framesAtEnd = bus->receivedFrames().size();
    progressAtEnd = dialog->progressBar()->value();
    cancelled = dialog->resultText();
  });

  for (int station = 1; station <= kModules; ++station)
    EXPECT_TRUE(found.contains(QString::fromUtf8("\n%1\t第 0 号寄存器 = ").arg(station)) ||
                found.startsWith(QString::fromUtf8("%1\t第 0 号寄存器 = ").arg(station)))
        << found.toStdString();
  EXPECT_FALSE(found.contains("4\t")) << found.toStdString();
  EXPECT_TRUE(found.contains(QString::fromUtf8("已探测 6 个，3 个应答"))) << found.toStdString();
  EXPECT_LT(longestGapMs, 100);

  EXPECT_TRUE(cancelled.contains(QString::fromUtf8("已取消"))) << cancelled.toStdString();
  EXPECT_LE(framesAtEnd, framesAtCancel + 1);  // within one exchange
  EXPECT_LT(progressAtEnd, 247);

  for (const auto& frame : bus->receivedFrames()) {
    ASSERT_GE(frame.size(), 2u);
    EXPECT_EQ(frame[1], 0x03);  // never 06 or 16
  }
  // The console's settings, port and controls are as they were.
  EXPECT_EQ(window.operations().link().isOpen, 1);
  EXPECT_EQ(window.operations().link().baudRate, 9600);
  EXPECT_EQ(qobject_cast<QComboBox*>(window.control(ids::kBaudRate))->currentText(), "9600");
  EXPECT_EQ(qobject_cast<QComboBox*>(window.control(ids::kLineFormat))->currentIndex(), 0);
  EXPECT_FALSE(window.commandRunning());
  read4SXY(1);  // and the port reads at them again
  EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(window.control(ids::kOutputPane))
                  ->toPlainText()
                  .contains(QString::fromUtf8("十六进制显示接收数据")));
}

// Behind a pty pair (a virtual COM port) every setting answers alike: the
// finder shows the box that says the port cannot tell them, and lists nothing.
TEST_F(TrafficTest, LineDetectionOnAPortThatCarriesNoSettingsShowsItsBoxAlone) {
  const LineBlindPty relay(bus->devicePath());
  openPort(relay.devicePath());
  std::vector<BoxAnswerer::Seen> seen;
  QString result;
  WhenModal<DiscoveryDialog>([&](DiscoveryDialog* dialog) {
    BoxAnswerer boxes;
    dialog->stationBox()->setValue(2);
    dialog->turnaroundBox()->setValue(1000);  // replies come at once; a late one is no silence
    QTest::mouseClick(dialog->detectButton(), Qt::LeftButton);
    apptest::WaitUntil([dialog] { return !dialog->running(); });
    seen = boxes.seen;
    result = dialog->resultText();
    QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("关闭")), Qt::LeftButton);
  });
  window.showDiscovery();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].title, QString::fromUtf8("提示"));
  EXPECT_TRUE(seen[0].text.startsWith(QString::fromUtf8("此串口不传送通讯参数：站号 2 在 32 种通讯参数下的应答完全相同")))
      << seen[0].text.toStdString();
  EXPECT_EQ(result, QString());
  EXPECT_EQ(window.operations().link().baudRate, 9600);
}

TEST(TrafficWindowLimitTest, KeepsTheLatestFramesAndSaysHowManyWent) {
  TrafficTap tap(std::make_unique<ScriptedPort>());
  tap.open("scripted");
  TrafficWindow traffic(tap, 3);
  for (uint8_t station = 1; station <= 5; ++station) {
    const uint8_t frame[] = {station, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00};
    tap.write(frame, sizeof frame);
  }
  traffic.drainNow();
  ASSERT_EQ(traffic.rowCount(), 3);
  EXPECT_TRUE(traffic.cell(0, TrafficWindow::kBytesColumn).startsWith("03 03"));
  EXPECT_TRUE(traffic.cell(2, TrafficWindow::kBytesColumn).startsWith("05 03"));
  traffic.table()->selectAll();
  EXPECT_TRUE(traffic.selectedText().split('\n', Qt::SkipEmptyParts).first().contains(" TX 03 03"));
  EXPECT_TRUE(traffic.findChild<QLabel*>()->text().contains(QString::fromUtf8("较早的 2 帧已移除")));
}
