// The 总线视图 window over ten simulated modules: rows, marks, the main
// window's commands greyed while the bus is polled, the full report, and a bus
// made of the finder's station scan. With DOLVANE_BUS_VIEW_SHOT=FILE.png the
// window, one module stale and one outside its limits, is saved there.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "app/bus_view_window.h"
#include "app/commission_dialog.h"
#include "app/discovery_dialog.h"
#include "app/journal_window.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "console/control_ids.h"
#include "models/demo_bus.h"
#include "models/model_registry.h"
#include "support/models.h"

using apptest::ButtonWithText;
using apptest::WaitUntil;
using apptest::WhenModal;

namespace {

constexpr int kModules = 10;  // the demo bus's first modules: station n is the n-th model
constexpr int kOutside = 3;   // its current is above the limit the file gives
constexpr int kSilent = 6;    // goes silent after the first cycle

std::unique_ptr<SimBus> TenModules() {
  auto bus = std::make_unique<SimBus>();
  const std::vector<SimModuleConfig> modules = DemoModules();
  for (int i = 0; i < kModules; ++i) bus->addModule(modules[i]);
  bus->start();
  return bus;
}

QString CabinetFile(const QTemporaryDir& dir) {
  static const char* const kNames[kModules] = {"1号柜 进线", "1号柜 出线一", "1号柜 出线二", "2号柜 进线",
                                               "2号柜 照明",  "2号柜 动力",   "3号柜 进线",   "3号柜 空调",
                                               "3号柜 备用",  "4号柜 进线"};
  const std::vector<SimModuleConfig> modules = DemoModules();
  QString text = QStringLiteral("{\n  \"format\": 1, \"port\": \"\", \"baud\": 9600, \"line\": \"N,8,1\",\n  \"modules\": [\n");
  for (int i = 0; i < kModules; ++i) {
    const int station = i + 1;
    text += QStringLiteral("    {\"station\": %1, \"model\": \"%2\", \"name\": \"%3\"").arg(station)
                .arg(QString::fromUtf8(FindModelBySim(modules[i].model)->cliName), QString::fromUtf8(kNames[i]));
    if (station == kOutside) text += QStringLiteral(", \"limits\": {\"ch1.i\": {\"low\": 0, \"high\": 1}}");
    text += i + 1 < kModules ? QStringLiteral("},\n") : QStringLiteral("}\n");
  }
  text += QStringLiteral("  ]\n}\n");
  const QString path = dir.filePath(QStringLiteral("cabinet.json"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(text.toUtf8());
  return path;
}

}  // namespace

class BusViewTest : public ::testing::Test {
 protected:
  std::unique_ptr<SimBus> bus = TenModules();
  CDolvaneCaiJiDlg window;
  apptest::StrayModalCloser strays;
  QTemporaryDir dir;

  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WhenModal<EditComDialog>([this](EditComDialog* dialog) {
      dialog->edit()->setText(QString::fromStdString(bus->devicePath()));
      QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
    });
    QTest::mouseClick(qobject_cast<QPushButton*>(window.control(ids::kOpenPort)), Qt::LeftButton);
    apptest::WaitForCommand(window);
    ASSERT_EQ(window.operations().link().isOpen, 1);
  }
  void TearDown() override { EXPECT_TRUE(strays.closed.isEmpty()) << strays.closed.join(", ").toStdString(); }

  static bool AllRows(BusViewWindow* view, const char* status) {
    for (int row = 0; row < static_cast<int>(view->core().rowCount()); ++row)
      if (view->cell(row, BusColumn::kStatus) != QString::fromUtf8(status)) return false;
    return true;
  }
};

TEST_F(BusViewTest, PollsEveryModuleMarksStaleAndOutsideRowsAndGreysTheCommands) {
  BusViewWindow* view = window.showBusView();
  ASSERT_TRUE(view->openFile(CabinetFile(dir)));
  ASSERT_EQ(view->table()->model()->rowCount(), kModules);
  EXPECT_EQ(view->cell(1, BusColumn::kName), QString::fromUtf8("1号柜 出线一"));
  EXPECT_EQ(view->cell(1, BusColumn::kModel), QStringLiteral("3SXY"));

  QTest::mouseClick(view->startButton(), Qt::LeftButton);
  ASSERT_TRUE(view->core().running());
  EXPECT_EQ(view->startButton()->text(), QString::fromUtf8("停止轮询"));
  EXPECT_FALSE(window.control(ids::kRead4SXY)->isEnabled()) << "the bus holds the port";
  EXPECT_FALSE(window.monitorSwitch()->isEnabled());
  ASSERT_TRUE(WaitUntil([&] { return AllRows(view, "正常"); }));

  bus->injectFault(kSilent, SimFault::kSilence, kFaultAlways);
  const int silent = kSilent - 1;
  ASSERT_TRUE(WaitUntil([&] { return view->cell(silent, BusColumn::kAge).contains(QString::fromUtf8("已过期")); }));
  const auto* model = static_cast<QStandardItemModel*>(view->table()->model());
  EXPECT_EQ(view->cell(silent, BusColumn::kStatus), QString::fromUtf8("无应答"));
  EXPECT_EQ(model->item(silent, static_cast<int>(BusColumn::kName))->foreground().color(),
            QColor(kStaleRowColour.red, kStaleRowColour.green, kStaleRowColour.blue));
  const int outside = kOutside - 1;
  EXPECT_TRUE(view->cell(outside, BusColumn::kOutside).endsWith(QStringLiteral(" > 1")));
  EXPECT_EQ(model->item(outside, static_cast<int>(BusColumn::kOutside))->background().color(),
            QColor(kOutsideCellColour.red, kOutsideCellColour.green, kOutsideCellColour.blue));
  for (int row : {0, 9}) EXPECT_EQ(view->cell(row, BusColumn::kStatus), QString::fromUtf8("正常")) << row;

  if (const char* shot = std::getenv("DOLVANE_BUS_VIEW_SHOT")) {
    view->resize(1280, 380);
    QTest::qWait(600);  // an age refresh
    view->grab().save(QString::fromLocal8Bit(shot));
  }

  QWidget* report = view->showReport(0);
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(report->findChild<QPlainTextEdit*>()->toPlainText().contains(QString::fromUtf8("十六进制显示接收数据")));
  report->close();

  QTest::mouseClick(view->startButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return !view->core().running(); }));
  EXPECT_EQ(view->startButton()->text(), QString::fromUtf8("开始轮询"));
  EXPECT_TRUE(window.control(ids::kRead4SXY)->isEnabled());
  EXPECT_TRUE(window.monitorSwitch()->isEnabled());
}

TEST_F(BusViewTest, TheFindersScanBecomesABusWithTheModelsPicked) {
  WhenModal<DiscoveryDialog>([](DiscoveryDialog* dialog) {
    EXPECT_FALSE(dialog->busButton()->isEnabled()) << "nothing scanned yet";
    dialog->toBox()->setValue(3);
    QTest::mouseClick(dialog->scanButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !dialog->running(); }));
    ASSERT_TRUE(dialog->busButton()->isEnabled());
    // Station 1's word 0 fits several models: the user picks 4RXY.
    WhenModal<QDialog>([](QDialog* pick) {
      auto* combo = pick->findChild<QComboBox*>(QStringLiteral("station1"));
      ASSERT_NE(combo, nullptr);
      combo->setCurrentText(QStringLiteral("4RXY"));
      pick->accept();
    });
    QTest::mouseClick(dialog->busButton(), Qt::LeftButton);
  });
  window.showDiscovery();

  BusViewWindow* view = window.showBusView();
  ASSERT_EQ(view->core().rowCount(), 3u);
  EXPECT_EQ(view->cell(0, BusColumn::kModel), QStringLiteral("4RXY"));
  EXPECT_EQ(view->cell(1, BusColumn::kModel), QStringLiteral("3SXY"));
  EXPECT_EQ(view->core().bus().port, bus->devicePath());
  const QString saved = dir.filePath(QStringLiteral("scanned.json"));
  ASSERT_TRUE(view->core().save(saved.toStdString()));
  EXPECT_TRUE(view->statusLabel()->text().startsWith(saved));
}

TEST_F(BusViewTest, TheReportIsPrintedToPdfWithItsCsvBeside) {
  BusViewWindow* view = window.showBusView();
  ASSERT_TRUE(view->openFile(CabinetFile(dir)));
  const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
  apptest::BoxAnswerer boxes;
  ASSERT_TRUE(view->writeReport(pdf));
  EXPECT_FALSE(view->reportButton()->isEnabled()) << "one report at a time";
  ASSERT_TRUE(WaitUntil([&] { return !boxes.seen.empty(); }));
  EXPECT_TRUE(boxes.seen[0].text.startsWith(QString::fromUtf8(kBusReportWritten.text()))) << boxes.seen[0].text.toStdString();
  EXPECT_TRUE(view->reportButton()->isEnabled());
  QFile printed(pdf);
  ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
  EXPECT_TRUE(printed.read(5) == "%PDF-");
  QFile csv(dir.filePath(QStringLiteral("report.csv")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QString rows = QString::fromUtf8(csv.readAll());
  for (const char* module : {"\n1,1号柜 进线,4SXY,ok,", "\n10,4号柜 进线,5RXZ,ok,"})
    EXPECT_TRUE(rows.contains(QString::fromUtf8(module))) << module;
}

// Two factory-set modules plugged in one after another and commissioned into
// an empty bus file at 19200 E,8,1 from the bus view. With
// DOLVANE_COMMISSION_SHOT=FILE.png the dialog is saved there at its end.
TEST(CommissionWindowTest, PluggedModulesJoinTheBusFileOneAfterAnother) {
  SimBus bus;
  bus.start();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("new-cabinet.json"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"format": 1, "port": "", "baud": 19200, "line": "E,8,1", "modules": []})");
  file.close();
  const QByteArray journalBefore = qgetenv("DOLVANE_JOURNAL");
  const QString journal = dir.filePath(QStringLiteral("journal.jsonl"));
  qputenv("DOLVANE_JOURNAL", journal.toLocal8Bit());
  CDolvaneCaiJiDlg window;
  qputenv("DOLVANE_JOURNAL", journalBefore);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  WhenModal<EditComDialog>([&bus](EditComDialog* dialog) {
    dialog->edit()->setText(QString::fromStdString(bus.devicePath()));
    QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("确定")), Qt::LeftButton);
  });
  QTest::mouseClick(qobject_cast<QPushButton*>(window.control(ids::kOpenPort)), Qt::LeftButton);
  apptest::WaitForCommand(window);
  BusViewWindow* view = window.showBusView();
  ASSERT_TRUE(view->openFile(path));

  QString log;
  int added = 0;
  WhenModal<CommissionDialog>([&](CommissionDialog* dialog) {
    EXPECT_EQ(dialog->stationBox()->value(), 2);
    apptest::BoxAnswerer boxes;  // each module's run asks first
    for (const char* model : {"4SXY", "3RX"}) {
      ASSERT_TRUE(bus.plugModule(Module(1, model)));
      dialog->modelBox()->setCurrentText(QString::fromUtf8(model));
      const int before = dialog->added();
      QTest::mouseClick(dialog->runButton(), Qt::LeftButton);
      ASSERT_TRUE(WaitUntil([&] { return dialog->added() > before || (!dialog->running() && !boxes.seen.empty() &&
                                                                      dialog->logText().contains(QString::fromUtf8("未完成"))); }));
      ASSERT_EQ(dialog->added(), before + 1) << dialog->logText().toStdString();
    }
    EXPECT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(dialog->stationBox()->value(), 4);
    if (const char* shot = std::getenv("DOLVANE_COMMISSION_SHOT")) dialog->grab().save(QString::fromLocal8Bit(shot));
    log = dialog->logText();
    added = dialog->added();
    QTest::mouseClick(ButtonWithText(dialog, QString::fromUtf8("关闭")), Qt::LeftButton);
  });
  QTest::mouseClick(view->commissionButton(), Qt::LeftButton);
  EXPECT_EQ(added, 2) << log.toStdString();
  EXPECT_TRUE(log.contains(QString::fromUtf8("通讯参数已改为 站号 3，19200 E,8,1。")));
  ASSERT_EQ(view->core().rowCount(), 2u);
  EXPECT_EQ(view->cell(0, BusColumn::kStation), QStringLiteral("2"));
  EXPECT_EQ(view->cell(1, BusColumn::kModel), QStringLiteral("3RX"));
  EXPECT_EQ(view->cell(1, BusColumn::kName), QString::fromUtf8("模块 3"));

  // 写入记录: newest first, by station, and as CSV.
  JournalWindow* writes = window.showJournalWindow();
  const QStringList lines = writes->listing().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 7) << writes->listing().toStdString();
  EXPECT_TRUE(lines[0].contains(QStringLiteral("station 3 3RX  forbid-write"))) << lines[0].toStdString();
  EXPECT_EQ(lines[6], QString::fromUtf8("6 条记录"));
  writes->stationBox()->setValue(2);
  EXPECT_EQ(writes->listing().split('\n', Qt::SkipEmptyParts).size(), 2);
  const QString csv = dir.filePath(QStringLiteral("journal.csv"));
  ASSERT_TRUE(writes->exportCsv(csv));
  QFile exported(csv);
  ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(exported.readAll()).count('\n'), 2) << "a header and station 2's entry";
}
