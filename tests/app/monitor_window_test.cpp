// Monitoring in the window, over the simulated bus.
#include <gtest/gtest.h>

#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QValueAxis>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/dolvane_cai_ji_app.h"
#include "app/demo_bus_window.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "app/monitor_controller.h"
#include "app/trend_plot_window.h"
#include "console/control_ids.h"
#include "models/demo_bus.h"

using apptest::BoxAnswerer;
using apptest::WhenModal;

namespace {

constexpr int kWaitMs = 15000;  // generous: only a hang fails

}  // namespace

class MonitorWindowTest : public apptest::DemoBusWindowTest {
 protected:
  void SetUp() override {
    DemoBusWindowTest::SetUp();
    window.monitor().setIntervalMs(0);
  }

  void TearDown() override {
    window.monitor().stop();
    DemoBusWindowTest::TearDown();
  }
  // Switching off takes effect when the poll under way ends.
  void clickSwitch() {
    QTest::mouseClick(window.monitorSwitch(), Qt::LeftButton);
    apptest::WaitUntil([this] { return window.monitor().running() == window.monitorSwitch()->isChecked(); });
  }
  QString pane() { return qobject_cast<QPlainTextEdit*>(window.control(ids::kOutputPane))->toPlainText(); }
  // Polls shown in the window (the poller counts each a little earlier, on the worker).
  uint64_t polls() { return window.monitor().pollsShown(); }
  // Waits until `more` further polls are done.
  bool pollsGoOn(uint64_t more) {
    const uint64_t target = polls() + more;
    return QTest::qWaitFor([&] { return polls() >= target; }, kWaitMs);
  }
  // The count of polls the status line shows.
  int shownPolls() {
    const QRegularExpressionMatch m =
        QRegularExpression(QString::fromUtf8("轮询 (\\d+) 次")).match(window.monitorStatus()->text());
    return m.hasMatch() ? m.captured(1).toInt() : -1;
  }

  void startAfterRead() {
    click(ids::kRead4SXY);
    clickSwitch();
    ASSERT_TRUE(window.monitor().running());
  }
};

TEST_F(MonitorWindowTest, RefreshesThePaneCountsPollsAndRefusesOtherCommands) {
  BoxAnswerer boxes;
  startAfterRead();
  EXPECT_TRUE(window.monitorSwitch()->isChecked());
  ASSERT_TRUE(pollsGoOn(3));

  QString report = QString::fromStdString(window.monitor().lastShown().report);
  report.replace("\r\n", "\n");
  EXPECT_EQ(pane(), report);
  EXPECT_TRUE(window.monitorStatus()->isVisible());
  EXPECT_GE(shownPolls(), 3);
  EXPECT_TRUE(window.monitorStatus()->text().contains(QString::fromUtf8("次/秒")));
  // Refreshed in place: where the user scrolled to stays in view.
  QScrollBar* bar = qobject_cast<QPlainTextEdit*>(window.control(ids::kOutputPane))->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 2);
  bar->setValue(2);
  ASSERT_TRUE(pollsGoOn(2));
  EXPECT_EQ(bar->value(), 2);

  for (int id : {ids::kRead3SXY, ids::kOpenPort, ids::kReadRegisters}) EXPECT_FALSE(window.control(id)->isEnabled());
  // Even a control that is clicked anyway runs nothing: a 3SX/Y read of this
  // module would show a box.
  auto* other = qobject_cast<QPushButton*>(window.control(ids::kRead3SXY));
  other->setEnabled(true);
  other->click();
  pollsGoOn(2);
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text.toStdString();
  EXPECT_TRUE(window.monitor().running());

  // Stop while an exchange is under way (the window is kept live meanwhile):
  // polling ends when that exchange returns.
  bus->injectFault(station, SimFault::kSilence, kFaultAlways);  // each exchange waits its time-out
  bus->clearReceived();
  size_t requestsAtStop = 0;
  QTimer duringAPoll;
  QObject::connect(&duringAPoll, &QTimer::timeout, [&] {
    if (!window.monitor().busy()) return;
    duringAPoll.stop();
    requestsAtStop = bus->receivedFrames().size();
    clickSwitch();
  });
  duringAPoll.start(5);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.monitor().running(); }, kWaitMs))
      << "polls: " << polls();
  EXPECT_FALSE(duringAPoll.isActive());
  QTest::qWait(200);
  EXPECT_LE(bus->receivedFrames().size(), requestsAtStop + 1);
  EXPECT_FALSE(window.monitorSwitch()->isChecked());
  EXPECT_TRUE(window.control(ids::kRead3SXY)->isEnabled());
  EXPECT_TRUE(window.monitorStatus()->text().startsWith(QString::fromUtf8("监视已停止")));
}

// The nine-channel reader pauses between its two requests: the pause must end
// inside a poll as it does inside a button's read.
TEST_F(MonitorWindowTest, PollsAReaderThatPausesBetweenItsRequests) {
  qobject_cast<QLineEdit*>(window.control(ids::kStation))->setText(QString::number(DemoStationOf("9VXY")));
  click(ids::kRead9VXY);
  clickSwitch();
  ASSERT_TRUE(window.monitor().running());
  ASSERT_TRUE(pollsGoOn(3));
  EXPECT_EQ(window.monitor().lastShown().status, PollStatus::kOk);
  EXPECT_EQ(window.monitor().poller()->counters().failures(), 0u);
}

TEST_F(MonitorWindowTest, AsksForAReadFirst) {
  BoxAnswerer boxes;
  clickSwitch();
  EXPECT_FALSE(window.monitor().running());
  EXPECT_FALSE(window.monitorSwitch()->isChecked());
  apptest::WaitUntil([&boxes] { return !boxes.seen.empty(); });
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].title, QString::fromUtf8("提示"));
  EXPECT_EQ(boxes.seen[0].text, QString::fromUtf8(MonitorController::kNothingReadYet.text()));
}

TEST_F(MonitorWindowTest, ASilentModuleCountsTimeoutsWithoutABoxAndPollingGoesOn) {
  BoxAnswerer boxes;
  startAfterRead();
  ASSERT_TRUE(pollsGoOn(1));
  bus->injectFault(station, SimFault::kSilence, 2);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        const PollCounters& c = window.monitor().poller()->counters();
        return c.of(PollStatus::kTimeout) == 2 && window.monitor().lastShown().status == PollStatus::kOk;
      },
      kWaitMs));
  EXPECT_TRUE(window.monitor().running());
  EXPECT_TRUE(window.monitorStatus()->text().contains(QString::fromUtf8("超时 2"))) << window.monitorStatus()->text().toStdString();
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text.toStdString();
}

// A module that stops answering: the last good report stays, under a banner
// with its time and the failure, until a poll is answered again.
TEST_F(MonitorWindowTest, AFailedPollMarksTheReportStaleUntilAGoodOneComes) {
  BoxAnswerer boxes;
  startAfterRead();
  ASSERT_TRUE(pollsGoOn(1));
  const QString reportHead = pane().section('\n', 0, 0);
  bus->injectFault(station, SimFault::kSilence, 2);
  QString stale;
  std::string failure;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        if (!window.monitor().staleBanner().empty() && stale.isEmpty()) {
          stale = pane();
          failure = window.monitor().lastShown().report;
        }
        return !stale.isEmpty();
      },
      kWaitMs));
  const QString banner = stale.section('\n', 0, 0);
  EXPECT_EQ(banner, QString::fromStdString(window.monitor().staleBanner()));
  EXPECT_TRUE(QRegularExpression(QString::fromUtf8("^数据已过期：最后一次成功读取于 \\d\\d:\\d\\d:\\d\\d；.+"))
                  .match(banner)
                  .hasMatch())
      << banner.toStdString();
  ASSERT_FALSE(failure.empty());
  EXPECT_TRUE(banner.contains(QString::fromStdString(failure).section('\n', 0, 0).trimmed())) << failure;
  EXPECT_EQ(stale.section('\n', 2, 2), reportHead);  // the old report under it

  ASSERT_TRUE(QTest::qWaitFor([&] { return window.monitor().lastShown().status == PollStatus::kOk; }, kWaitMs));
  EXPECT_TRUE(window.monitor().staleBanner().empty());
  QString report = QString::fromStdString(window.monitor().lastShown().report);
  report.replace("\r\n", "\n");
  EXPECT_EQ(pane(), report);
  EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(MonitorWindowTest, LogsToCsvWhileSwitchedOnWithTheHeaderOnce) {
  QTemporaryDir dir;
  const QString path = dir.filePath("log.csv");
  startAfterRead();
  TrendPlotWindow& plot = window.monitor().plotWindow();
  QStringList offered;  // what the chooser offered first each time
  window.monitor().setLogFileChooser([&](QWidget*, const QString& last) {
    offered << last;
    return path;
  });
  const auto switchLogOn = [&] { plot.logSwitch()->click(); };
  switchLogOn();
  ASSERT_TRUE(plot.logSwitch()->isChecked());
  ASSERT_TRUE(pollsGoOn(3));
  plot.logSwitch()->click();  // off
  ASSERT_TRUE(pollsGoOn(3));
  switchLogOn();  // on again: appended
  ASSERT_TRUE(pollsGoOn(3));
  const uint64_t total = polls();
  clickSwitch();
  ASSERT_FALSE(window.monitor().running());
  EXPECT_FALSE(plot.logSwitch()->isChecked());
  EXPECT_EQ(offered, QStringList({"", path}));

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_TRUE(lines[0].startsWith("time,station,status,"));
  EXPECT_EQ(lines.filter(QRegularExpression("^time,")).size(), 1);
  const int rows = lines.size() - 1;
  EXPECT_GE(rows, 6);
  EXPECT_LT(static_cast<uint64_t>(rows), total);  // nothing while switched off
  for (const QString& row : lines.mid(1)) EXPECT_EQ(row.section(',', 1, 2), QString("%1,ok").arg(station)) << row.toStdString();
}

TEST_F(MonitorWindowTest, PlotsThePickedQuantitiesUpToEight) {
  startAfterRead();
  ASSERT_TRUE(pollsGoOn(3));
  TrendPlotWindow& plot = window.monitor().plotWindow();
  EXPECT_TRUE(plot.isVisible());
  QListWidget* list = plot.quantityList();
  ASSERT_EQ(static_cast<size_t>(list->count()), window.monitor().poller()->columns().size());
  ASSERT_GT(list->count(), TrendPlotWindow::kMaxPicked);

  for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
  plot.refresh();
  const QList<QAbstractSeries*> series = plot.chart()->series();
  ASSERT_EQ(series.size(), TrendPlotWindow::kMaxPicked);  // a ninth pick is refused
  EXPECT_EQ(list->item(TrendPlotWindow::kMaxPicked)->checkState(), Qt::Unchecked);
  for (int i = 0; i < TrendPlotWindow::kMaxPicked; ++i) {
    EXPECT_EQ(series[i]->name(), list->item(i)->text());
    // Polls that fall in one time bucket of the span draw as its lowest and highest point.
    EXPECT_GE(static_cast<QLineSeries*>(series[i])->count(), 1) << series[i]->name().toStdString();
    // On its unit's own value axis.
    QList<QAbstractAxis*> values;
    for (QAbstractAxis* axis : series[i]->attachedAxes())
      if (axis->orientation() == Qt::Vertical) values.append(axis);
    ASSERT_EQ(values.size(), 1);
    EXPECT_EQ(values[0]->titleText().toStdString(), window.monitor().poller()->columns()[i].unit);
  }
  QSet<QString> units;
  for (QAbstractAxis* axis : plot.chart()->axes(Qt::Vertical)) units.insert(axis->titleText());
  EXPECT_EQ(units.size(), plot.chart()->axes(Qt::Vertical).size());  // one axis per unit
  EXPECT_GT(units.size(), 1);
}

// The picks and the span as the workbench keeps them between runs: set before
// a target, they apply to the next target with those columns.
TEST(TrendPicksTest, PicksAndSpanGoBackAndForth) {
  TrendPlotWindow plot(nullptr);
  const std::vector<QuantityColumn> columns = {{"a", "甲", "A"}, {"b", "乙", "V"}, {"c", "丙", "W"}, {"d", "丁", "Hz"}};
  plot.setPicks({{"d", "b", "missing"}, 15});
  plot.reset(columns);
  EXPECT_EQ(plot.picks().keys, (std::vector<std::string>{"b", "d"}));
  EXPECT_EQ(plot.picks().minutes, 15);
  EXPECT_EQ(plot.minutesCombo()->currentData().toInt(), 15);
  EXPECT_EQ(plot.quantityList()->item(1)->checkState(), Qt::Checked);
  EXPECT_EQ(plot.quantityList()->item(0)->checkState(), Qt::Unchecked);

  plot.quantityList()->item(0)->setCheckState(Qt::Checked);
  EXPECT_EQ(plot.picks().keys, (std::vector<std::string>{"a", "b", "d"}));
  plot.setPicks({{}, 7});  // no picks: the first few; a span not offered: kept
  plot.reset(columns);
  EXPECT_EQ(plot.picks().keys, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(plot.picks().minutes, 15);
}
