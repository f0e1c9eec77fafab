// The workbench around the system's dialog: the dialog as it is alone, the
// status bar's port, following a module that moved, and what is remembered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/dolvane_cai_ji_app.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "app/trend_plot_window.h"
#include "app/monitor_controller.h"
#include "app/temporary_settings.h"
#include "app/workbench_window.h"
#include "console/control_ids.h"
#include "layout/main_window_controls.h"
#include "layout/main_window_texts.h"
#include "layout/port_status.h"
#include "modbus/exchange.h"
#include "models/demo_bus.h"

using apptest::ButtonWithText;
using apptest::WhenModal;

using apptest::TemporarySettings;

namespace {

constexpr int kBaud9600 = 3;
constexpr int kBaud19200 = 4;

// Answers every box shown while it lives: OK, or the offer to follow when asked to.
class NoticeAnswerer {
 public:
  explicit NoticeAnswerer(bool follow) : follow_(follow) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
    timer_.start(apptest::kPollMs);
  }
  QStringList texts;
  QList<QStringList> buttons;

 private:
  void answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    QStringList shown;
    QAbstractButton* offer = nullptr;
    for (QAbstractButton* b : box->buttons()) {
      shown << b->text();
      if (b->text() == QString::fromUtf8(kFollowModuleText.text())) offer = b;
    }
    texts << box->text();
    buttons << shown;
    (follow_ && offer ? offer : box->button(QMessageBox::Ok))->click();
  }

  bool follow_;
  QTimer timer_;
};

}  // namespace

class WorkbenchTest : public ::testing::Test {
 protected:
  TemporarySettings settings;
  apptest::StrayModalCloser strays;

  void TearDown() override { EXPECT_TRUE(strays.closed.isEmpty()) << strays.closed.join(", ").toStdString(); }

  static void show(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  static QComboBox* combo(WorkbenchWindow& w, int id) { return qobject_cast<QComboBox*>(w.dialog().control(id)); }
  static QLineEdit* field(WorkbenchWindow& w, int id) { return qobject_cast<QLineEdit*>(w.dialog().control(id)); }
  static QString pane(WorkbenchWindow& w) {
    return qobject_cast<QPlainTextEdit*>(w.dialog().control(ids::kOutputPane))->toPlainText();
  }
  static void click(WorkbenchWindow& w, int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(w.dialog().control(id)), Qt::LeftButton);
    apptest::WaitForCommand(w.dialog());
  }
  // 打开串口 with `device` typed into the port dialog.
  static void openPort(WorkbenchWindow& w, const std::string& device) {
    WhenModal<EditComDialog>([device](EditComDialog* dialog) {
      dialog->edit()->setText(QString::fromStdString(device));
      QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
    });
    click(w, ids::kOpenPort);
  }
  // A choice of the user in a line combo box, which the dialog takes as a command.
  static void choose(WorkbenchWindow& w, int id, int index) {
    QComboBox* box = combo(w, id);
    box->setCurrentIndex(index);
    emit box->activated(index);
    apptest::WaitForCommand(w.dialog());
  }
};

// The dialog inside the workbench is the dialog alone: every control where it
// was and the same size; a first start shows no dock.
TEST_F(WorkbenchTest, TheDialogKeepsItsControlsWhereTheyAreAlone) {
  ASSERT_TRUE(settings.empty());
  CDolvaneCaiJiDlg alone;
  WorkbenchWindow workbench;
  show(alone);
  show(workbench);
  EXPECT_EQ(workbench.centralWidget(), &workbench.dialog());
  EXPECT_EQ(workbench.dialog().size(), alone.size());
  for (const ControlDef& def : MainWindowControls()) {
    if (def.id == 0) continue;
    EXPECT_EQ(workbench.dialog().control(def.id)->geometry(), alone.control(def.id)->geometry()) << def.id;
    EXPECT_EQ(workbench.dialog().control(def.id)->isVisible(), alone.control(def.id)->isVisible()) << def.id;
  }
  for (QDockWidget* dock : workbench.findChildren<QDockWidget*>())
    EXPECT_FALSE(dock->isVisible()) << dock->objectName().toStdString();
  EXPECT_EQ(workbench.portStatus()->text(), QString::fromUtf8(kPortClosedStatus.text()));
}

// Escape and Enter keep the dialog's rules: neither ends the dialog or the window.
TEST_F(WorkbenchTest, EscapeAndEnterCloseNothing) {
  WorkbenchWindow workbench;
  show(workbench);
  QLineEdit* station = field(workbench, ids::kStation);
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
    station->setFocus();
    QTest::keyClick(station, key);
    QTest::keyClick(workbench.dialog().control(ids::kBaudRate), key);
    QApplication::processEvents();
    EXPECT_TRUE(workbench.isVisible()) << key;
    EXPECT_TRUE(workbench.dialog().isVisible()) << key;
  }
}

// The status bar names the line the open port uses, not the combo boxes',
// and says when they differ.
TEST_F(WorkbenchTest, TheStatusBarShowsTheLineThePortUses) {
  std::unique_ptr<SimBus> bus = StartDemoBus();
  WorkbenchWindow workbench;
  show(workbench);
  openPort(workbench, bus->devicePath());
  const QString inUse = QString::fromStdString(bus->devicePath() + "  9600 8N1");
  EXPECT_EQ(workbench.portStatus()->text(), inUse);

  choose(workbench, ids::kBaudRate, kBaud19200);
  EXPECT_EQ(workbench.portStatus()->text(), inUse + QString::fromUtf8("（19200 8N1 将在重新打开串口后生效）"));
  choose(workbench, ids::kBaudRate, kBaud9600);
  EXPECT_EQ(workbench.portStatus()->text(), inUse);

  click(workbench, ids::kOpenPort);  // closes it
  EXPECT_EQ(workbench.portStatus()->text(), QString::fromUtf8(kPortClosedStatus.text()));
}

// After 改参数 the notice offers to follow the module: only that click moves
// the combo boxes, the port and the station field, and the module reads there.
class FollowTest : public WorkbenchTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FollowTest, OnlyTheOfferFollowsTheModule) {
  const bool follow = GetParam();
  std::unique_ptr<SimBus> bus = StartDemoBus();
  WorkbenchWindow workbench;
  show(workbench);
  openPort(workbench, bus->devicePath());
  const QString station = QString::number(DemoStationOf("4SXY"));
  field(workbench, ids::kStation)->setText(station);
  combo(workbench, ids::kNewBaud)->setCurrentIndex(kBaud19200);
  field(workbench, ids::kNewStation)->setText("200");
  {
    NoticeAnswerer boxes(follow);
    click(workbench, ids::kAllowWrite);
    click(workbench, ids::kChangeCommParams);
    ASSERT_TRUE(apptest::WaitUntil([&] { return !workbench.dialog().commandRunning() && !boxes.texts.isEmpty() &&
                                                boxes.texts.back() == QString::fromUtf8(msg::kCommParamsSet.text()); }));
    EXPECT_EQ(boxes.buttons.back(), (QStringList{QString::fromUtf8("确定"), QString::fromUtf8(kFollowModuleText.text())}));
    apptest::WaitForCommand(workbench.dialog());
  }
  if (!follow) {
    EXPECT_EQ(combo(workbench, ids::kBaudRate)->currentIndex(), kBaud9600);
    EXPECT_EQ(field(workbench, ids::kStation)->text(), station);
    EXPECT_EQ(workbench.portStatus()->text(), QString::fromStdString(bus->devicePath() + "  9600 8N1"));
    return;
  }
  EXPECT_EQ(combo(workbench, ids::kBaudRate)->currentIndex(), kBaud19200);
  EXPECT_EQ(combo(workbench, ids::kLineFormat)->currentIndex(), 0);
  EXPECT_EQ(field(workbench, ids::kStation)->text(), "200");
  EXPECT_EQ(workbench.portStatus()->text(), QString::fromStdString(bus->devicePath() + "  19200 8N1"));
  NoticeAnswerer none(false);
  click(workbench, ids::kRead4SXY);
  EXPECT_TRUE(none.texts.isEmpty()) << none.texts.join("|").toStdString();
  EXPECT_TRUE(pane(workbench).contains(QString::fromUtf8("十六进制显示接收数据："))) << pane(workbench).toStdString();
}

INSTANTIATE_TEST_SUITE_P(ClickedOrNot, FollowTest, ::testing::Bool());

// What the user set comes back at the next start, opening nothing.
TEST_F(WorkbenchTest, TheNextStartHasThePortLineStationWindowAndDocks) {
  std::unique_ptr<SimBus> bus = StartDemoBus();
  QByteArray geometry;
  {
    WorkbenchWindow first;
    show(first);
    openPort(first, bus->devicePath());
    choose(first, ids::kBaudRate, 5);
    choose(first, ids::kLineFormat, 2);
    field(first, ids::kStation)->setText("37");
    first.dialog().showTrafficWindow();
    first.dialog().showTool(WorkbenchWindow::Tool::kTrend);
    first.dialog().monitor().plotWindow().setPicks({{"Ia", "Ua"}, 15});
    first.dialog().showTrafficWindow();
    first.move(12, 34);
    geometry = first.saveGeometry();
    first.close();
    ASSERT_FALSE(first.isVisible());
  }
  WorkbenchWindow next;
  EXPECT_EQ(combo(next, ids::kBaudRate)->currentIndex(), 5);
  EXPECT_EQ(combo(next, ids::kLineFormat)->currentIndex(), 2);
  EXPECT_EQ(next.dialog().operations().link().baudRate, kBaudRates[5]);
  EXPECT_EQ(next.dialog().operations().link().lineFormat, 2);
  EXPECT_EQ(field(next, ids::kStation)->text(), "37");
  show(next);
  EXPECT_EQ(next.saveGeometry(), geometry);
  EXPECT_TRUE(next.dock(WorkbenchWindow::Tool::kTraffic)->isVisible());
  EXPECT_FALSE(next.dock(WorkbenchWindow::Tool::kJournal)->isVisible());
  EXPECT_EQ(next.dialog().operations().link().isOpen, 0);
  EXPECT_EQ(next.portStatus()->text(), QString::fromUtf8(kPortClosedStatus.text()));
  next.dialog().showTool(WorkbenchWindow::Tool::kTrend);
  const TrendPlotWindow::Picks picks = next.dialog().monitor().plotWindow().picks();
  EXPECT_EQ(picks.minutes, 15);
  EXPECT_EQ(picks.keys, (std::vector<std::string>{"Ia", "Ua"}));

  // The port dialog starts with the last port; only 确定 opens it.
  QString filledIn;
  WhenModal<EditComDialog>([&filledIn](EditComDialog* dialog) {
    filledIn = dialog->edit()->text();
    dialog->reject();
  });
  click(next, ids::kOpenPort);
  EXPECT_EQ(filledIn, QString::fromStdString(bus->devicePath()));
  EXPECT_EQ(next.dialog().operations().link().isOpen, 0);
}

// The tools' keys reach their docks from another dock, floating or not; the
// docks open on the right, tabbed together, and the window stays on the screen.
TEST_F(WorkbenchTest, ToolKeysWorkFromAnyDock) {
  WorkbenchWindow workbench;
  show(workbench);
  workbench.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&workbench));
  QTest::keyClick(workbench.dialog().control(ids::kStation), Qt::Key_J, Qt::ControlModifier);
  QDockWidget* journal = workbench.dock(WorkbenchWindow::Tool::kJournal);
  ASSERT_TRUE(journal->isVisible());
  EXPECT_EQ(workbench.dockWidgetArea(journal), Qt::RightDockWidgetArea);
  EXPECT_LE(workbench.frameGeometry().right(), workbench.screen()->availableGeometry().right());

  journal->setFloating(true);
  journal->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(journal));
  QWidget* inJournal = journal->findChild<QLineEdit*>();
  ASSERT_NE(inJournal, nullptr);
  inJournal->setFocus();
  QTest::keyClick(inJournal, Qt::Key_M, Qt::ControlModifier);
  QDockWidget* traffic = workbench.dock(WorkbenchWindow::Tool::kTraffic);
  EXPECT_TRUE(traffic->isVisible());
  EXPECT_EQ(workbench.dockWidgetArea(traffic), Qt::RightDockWidgetArea);
  EXPECT_FALSE(traffic->isFloating());
}

// 视图 has an item per tool before its dock is made; it opens and closes the dock.
TEST_F(WorkbenchTest, TheViewMenuOpensAndClosesEachTool) {
  WorkbenchWindow workbench;
  show(workbench);
  QMenu* view = workbench.menuBar()->findChildren<QMenu*>().at(2);
  QAction* journalItem = nullptr;
  for (QAction* item : view->actions())
    if (item->text() == QString::fromUtf8("写入记录")) journalItem = item;
  ASSERT_NE(journalItem, nullptr);
  EXPECT_FALSE(journalItem->isChecked());
  journalItem->trigger();
  QDockWidget* journal = workbench.dock(WorkbenchWindow::Tool::kJournal);
  EXPECT_TRUE(journal->isVisible());
  EXPECT_TRUE(journalItem->isChecked());
  journal->close();
  EXPECT_FALSE(journalItem->isChecked());
  journalItem->trigger();
  EXPECT_TRUE(journal->isVisible());
  journalItem->trigger();
  EXPECT_FALSE(journal->isVisible());
}

// Closing the window runs the dialog's rules: not while a command holds the port.
TEST_F(WorkbenchTest, ClosingWaitsForTheCommandThatHoldsThePort) {
  std::unique_ptr<SimBus> bus = StartDemoBus();
  WorkbenchWindow workbench;
  show(workbench);
  openPort(workbench, bus->devicePath());
  field(workbench, ids::kStation)->setText("99");  // nobody answers: the read waits out its time-out
  NoticeAnswerer boxes(false);
  QTest::mouseClick(qobject_cast<QPushButton*>(workbench.dialog().control(ids::kRead4SXY)), Qt::LeftButton);
  ASSERT_TRUE(workbench.dialog().commandRunning());
  EXPECT_FALSE(workbench.close());
  EXPECT_TRUE(workbench.isVisible());
  apptest::WaitForCommand(workbench.dialog());
  EXPECT_TRUE(workbench.close());
}
