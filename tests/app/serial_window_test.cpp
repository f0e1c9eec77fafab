// The window over a pseudo-terminal whose far end never answers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "app/dolvane_cai_ji_app.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "console/control_ids.h"
#include "journal/journal_records.h"
#include "modbus/exchange.h"
#include "models/demo_bus.h"
#include "support/dns_blackhole.h"
#include "support/temp_file.h"

using apptest::BoxAnswerer;
using apptest::ButtonWithText;
using apptest::WhenModal;

namespace {

class SilentLine {
 public:
  SilentLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) device_ = ::ptsname(master_);
  }
  ~SilentLine() {
    if (master_ >= 0) ::close(master_);
  }
  const std::string& device() const { return device_; }

  // Everything the console has written since the last look.
  std::string received() {
    std::string bytes;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(master_, buffer, sizeof buffer)) > 0) bytes.append(buffer, n);
    return bytes;
  }

 private:
  int master_ = -1;
  std::string device_;
};

// Counts paint events of one window's widgets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& window) : window_(window) { qApp->installEventFilter(this); }
  ~PaintCounter() override { qApp->removeEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
      ++count;
    }
    return false;
  }

 private:
  QWidget& window_;
};

}  // namespace

class SerialWindowTest : public ::testing::Test {
 protected:
  SilentLine line;
  CDolvaneCaiJiDlg window;
  apptest::StrayModalCloser strays;

  void TearDown() override { EXPECT_TRUE(strays.closed.isEmpty()) << strays.closed.join(", ").toStdString(); }

  void SetUp() override {
    ASSERT_FALSE(line.device().empty());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QPushButton* button(int id) { return qobject_cast<QPushButton*>(window.control(id)); }
  QString pane() { return qobject_cast<QPlainTextEdit*>(window.control(ids::kOutputPane))->toPlainText(); }

  // Button 1000 with the given answer in the port dialog (empty: Cancel).
  void clickOpenPort(const std::string& device) {
    WhenModal<EditComDialog>([device](EditComDialog* dialog) {
      if (device.empty()) {
        QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("取消")), Qt::LeftButton);
        return;
      }
      dialog->edit()->setText(QString::fromStdString(device));
      QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
    });
    QTest::mouseClick(button(ids::kOpenPort), Qt::LeftButton);
    apptest::WaitForCommand(window);
  }
};

TEST_F(SerialWindowTest, OpensAndClosesThroughThePortDialog) {
  clickOpenPort("");
  EXPECT_EQ(pane(), "");
  EXPECT_EQ(window.operations().link().isOpen, 0);

  clickOpenPort(line.device());
  EXPECT_EQ(pane(), QString::fromUtf8("串口打开成功！"));
  EXPECT_EQ(button(ids::kOpenPort)->text(), QString::fromUtf8("关闭串口"));
  EXPECT_EQ(window.operations().link().isOpen, 1);

  QTest::mouseClick(button(ids::kOpenPort), Qt::LeftButton);
  apptest::WaitForCommand(window);
  EXPECT_EQ(pane(), QString::fromUtf8("串口已关闭！"));
  EXPECT_EQ(button(ids::kOpenPort)->text(), QString::fromUtf8("打开串口"));
  EXPECT_EQ(window.operations().link().isOpen, 0);
}

// The port lives on the session's worker: while a read waits a second for a
// silent module, the window's event loop never stops for long.
TEST_F(SerialWindowTest, TheEventLoopKeepsTurningWhileAReadWaitsOnASilentModule) {
  clickOpenPort(line.device());
  BoxAnswerer boxes;
  apptest::LoopGapMeter gaps;
  QElapsedTimer waited;
  waited.start();
  QTest::mouseClick(button(ids::kRead4SXY), Qt::LeftButton);
  apptest::WaitForCommand(window);
  EXPECT_GE(waited.elapsed(), 900);  // the read really waited
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_LT(gaps.longestMs(), 100);
}

TEST_F(SerialWindowTest, WindowStaysPaintedAndTakesNoSecondCommandWhileAReadWaits) {
  clickOpenPort(line.device());
  ASSERT_EQ(window.operations().link().isOpen, 1);
  line.received();

  BoxAnswerer boxes;
  PaintCounter paints(window);
  bool runningAtFirstLook = false;
  bool runningAtSecondLook = false;
  int paintsDuringWait = 0;
  // At 9600 baud the "4SX/Y" read of 85 bytes waits 5 x 85 + 600 ms for a reply.
  QTimer::singleShot(300, [&] {
    runningAtFirstLook = window.commandRunning();
    paints.count = 0;
    window.update();
    QTest::mouseClick(button(ids::kRead4SXY), Qt::LeftButton);
    QTest::mouseClick(button(ids::kOpenPort), Qt::LeftButton);
    QTest::keyClick(button(ids::kRead3SXY), Qt::Key_Space);
    QTest::keyClick(window.control(ids::kBaudRate), Qt::Key_Down);
    QTest::keyClicks(window.control(ids::kStation), "5");
  });
  QTimer::singleShot(600, [&] {
    runningAtSecondLook = window.commandRunning();
    paintsDuringWait = paints.count;
  });
  QTest::mouseClick(button(ids::kRead4SXY), Qt::LeftButton);
  apptest::WaitForCommand(window);
  QTest::qWait(300);  // a click that was only held back would run now

  EXPECT_TRUE(runningAtFirstLook);
  EXPECT_TRUE(runningAtSecondLook);
  EXPECT_GT(paintsDuringWait, 0);
  EXPECT_EQ(line.received().size(), 8u);  // one request, no second one
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_TRUE(boxes.seen[0].text.startsWith(QString::fromUtf8(msg::kNoReply.text()) + QString::fromUtf8("\r\n无应答")))
      << boxes.seen[0].text.toStdString();
  EXPECT_TRUE(pane().startsWith(QString::fromUtf8("十六进制显示发送数据：")));
  EXPECT_EQ(window.operations().link().isOpen, 1);
  EXPECT_FALSE(window.commandRunning());
  // The line's combo boxes were greyed; the station field took the typing,
  // which the request already sent does not see.
  EXPECT_EQ(qobject_cast<QComboBox*>(window.control(ids::kBaudRate))->currentText(), "9600");
  EXPECT_EQ(window.operations().link().baudRate, 9600);
  EXPECT_EQ(qobject_cast<QLineEdit*>(window.control(ids::kStation))->text(), "15");
}

// The window journals every write into the journal at its default place, and
// reads the words a write tool replaces first: on a silent line that read finds
// nothing, and the write still goes, both frames on the wire.
TEST(JournalWindowTest, AWriteIsJournalledAfterTheReadOfTheWordsItReplaces) {
  TempFolder folder;
  const std::string journal = folder.path() + "/journal.jsonl";
  const char* earlier = ::getenv("DOLVANE_JOURNAL");
  const std::string kept = earlier ? earlier : "";
  ::setenv("DOLVANE_JOURNAL", journal.c_str(), 1);
  SilentLine line;
  CDolvaneCaiJiDlg window;  // takes the journal's place now
  if (earlier) ::setenv("DOLVANE_JOURNAL", kept.c_str(), 1);
  else ::unsetenv("DOLVANE_JOURNAL");
  apptest::StrayModalCloser strays;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  WhenModal<EditComDialog>([&line](EditComDialog* dialog) {
    dialog->edit()->setText(QString::fromStdString(line.device()));
    QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
  });
  QTest::mouseClick(qobject_cast<QPushButton*>(window.control(ids::kOpenPort)), Qt::LeftButton);
  apptest::WaitForCommand(window);
  ASSERT_EQ(window.operations().link().isOpen, 1);
  qobject_cast<QLineEdit*>(window.control(ids::kWriteAddress))->setText("20");
  qobject_cast<QLineEdit*>(window.control(ids::kWriteValue))->setText("7");
  {
    BoxAnswerer boxes;
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(ids::kWriteRegister)), Qt::LeftButton);
    apptest::WaitForCommand(window);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.startsWith(QString::fromUtf8(msg::kNoReply.text())));
  }
  EXPECT_EQ(line.received(), std::string("\x01\x03\x00\x14\x00\x01\xC4\x0E"
                                         "\x01\x06\x00\x14\x00\x07\x88\x0C", 16));
  std::string problem;
  const std::optional<JournalContents> contents = ReadJournal(journal, &problem);
  ASSERT_TRUE(contents) << problem;
  ASSERT_EQ(contents->records.size(), 1u);
  const JournalRecord& record = contents->records[0];
  EXPECT_EQ(record.entry.operation, "write-register");
  EXPECT_EQ(record.entry.port, line.device());
  EXPECT_EQ(record.entry.beforeProblem.rfind("no-reply", 0), 0u) << record.entry.beforeProblem;
  ASSERT_TRUE(record.outcome);
  EXPECT_EQ(record.outcome->result, WriteResult::kNoReply);

  // Switched off on the context menu: the next write sends its own frame alone.
  ASSERT_TRUE(window.readBeforeWriteAction()->isChecked());
  window.readBeforeWriteAction()->trigger();
  apptest::WaitForCommand(window);
  EXPECT_FALSE(window.operations().readsBeforeWrite());
  {
    BoxAnswerer boxes;
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(ids::kWriteRegister)), Qt::LeftButton);
    apptest::WaitForCommand(window);
  }
  EXPECT_EQ(line.received(), std::string("\x01\x06\x00\x14\x00\x07\x88\x0C", 8));
  EXPECT_TRUE(strays.closed.isEmpty());
}

// What `dolvane-console --simulate` does: the simulated bus heads the port list,
// filled in, and described as it is each time the dialog opens.
TEST(DemoBusWindowTest, OffersTheSimulatedBusAsItIsNow) {
  std::unique_ptr<SimBus> bus = StartDemoBus();
  CDolvaneCaiJiDlg window(OfferSimulatedBus(*bus));
  apptest::StrayModalCloser strays;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const auto click = [&window](int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(id)), Qt::LeftButton);
    apptest::WaitForCommand(window);
  };
  const auto field = [&window](int id) { return qobject_cast<QLineEdit*>(window.control(id)); };
  const auto pane = [&window] { return qobject_cast<QPlainTextEdit*>(window.control(ids::kOutputPane))->toPlainText(); };
  // Opens the port with Enter alone, as a newcomer would; returns the bus's entry.
  const auto openWithEnter = [&] {
    QString offered;
    WhenModal<EditComDialog>([&offered, &bus](EditComDialog* dialog) {
      offered = dialog->portList()->item(0)->text();
      const QString filledIn = dialog->edit()->text();
      if (filledIn != QString::fromStdString(bus->devicePath())) {
        ADD_FAILURE() << "filled in: " << filledIn.toStdString();
        dialog->reject();  // whatever else is filled in is not for this test to open
        return;
      }
      QTest::keyClick(dialog->edit(), Qt::Key_Return);
    });
    click(ids::kOpenPort);
    return offered;
  };

  const QString before = openWithEnter();
  ASSERT_EQ(window.operations().link().isOpen, 1);
  const std::string station = std::to_string(DemoStationOf("4SXY"));
  EXPECT_TRUE(before.contains(QString::fromStdString(station + "=4SXY"))) << before.toStdString();
  {
    BoxAnswerer boxes;
    click(ids::kRead4SXY);
    EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text.toStdString();
    EXPECT_TRUE(pane().contains(QString::fromUtf8("十六进制显示接收数据：\n"))) << pane().toStdString();
    EXPECT_FALSE(pane().contains('\r'));

    // The module moves to station 200.
    field(ids::kStation)->setText(QString::fromStdString(station));
    field(ids::kNewStation)->setText("200");
    click(ids::kAllowWrite);
    click(ids::kChangeCommParams);
    EXPECT_EQ(boxes.seen.back().text, QString::fromUtf8(msg::kCommParamsSet.text()));
  }
  click(ids::kOpenPort);  // closes the port
  ASSERT_EQ(window.operations().link().isOpen, 0);

  const QString after = openWithEnter();
  EXPECT_EQ(window.operations().link().isOpen, 1);
  EXPECT_TRUE(after.contains("200=4SXY")) << after.toStdString();
  EXPECT_FALSE(after.contains(QString::fromStdString(" " + station + "=4SXY"))) << after.toStdString();
  EXPECT_TRUE(strays.closed.isEmpty());
}

// A serial server's name that the name server never answers, as on a plant
// network whose DNS is down: the look-up runs on the worker, so the window
// keeps turning through the 3 s connect limit and then says why.
TEST(SerialServerWindowTest, AnUnansweredNameServerLeavesTheWindowLive) {
  const DnsBlackholeRun run = RunInDnsBlackhole([] {
    CDolvaneCaiJiDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WhenModal<EditComDialog>([](EditComDialog* dialog) {
      dialog->edit()->setText(QStringLiteral("tcp:never-answers.invalid:4001"));
      QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
    });
    BoxAnswerer boxes;
    apptest::LoopGapMeter gaps;
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(ids::kOpenPort)), Qt::LeftButton);
    apptest::WaitForCommand(window);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.contains(QString::fromUtf8("连接超时"))) << boxes.seen[0].text.toStdString();
    EXPECT_LT(gaps.longestMs(), 100);
  });
  if (run.skipped) GTEST_SKIP() << run.reason;
}
