// The register table in the window, over the simulated bus: what 读多寄存器
// read, and edits that write through the write tools' boxes.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <memory>

#include "app/dolvane_cai_ji_app.h"
#include "app/demo_bus_window.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "app/register_table_pane.h"
#include "console/control_ids.h"
#include "models/demo_bus.h"
#include "tools/register_table.h"

using apptest::BoxAnswerer;
using apptest::WhenModal;

class RegisterTableWindowTest : public apptest::DemoBusWindowTest {
 protected:
  void SetUp() override {
    // 3.14 high word first, then -1 as a 32-bit pair, then an odd register.
    bus->setRegisters(station, {{10, 0x4048}, {11, 0xF5C3}, {12, 0xFFFF}, {13, 0xFFFF}, {14, 42}});
    DemoBusWindowTest::SetUp();
  }
  void read(int start, int count) {
    setField(ids::kReadStart, QString::number(start));
    setField(ids::kReadCount, QString::number(count));
    click(ids::kReadRegisters);
  }
  void allowWrites() {
    BoxAnswerer ok;
    click(ids::kAllowWrite);
  }

  QTableView* table() { return window.registerTablePane()->table(); }
  QString cell(int row, RegisterColumn column) {
    return table()->model()->index(row, static_cast<int>(column)).data().toString();
  }
  // Types `text` into the cell's editor and presses Enter, as a user does.
  void edit(int row, RegisterColumn column, const QString& text) {
    window.showRegisterTable();
    const QModelIndex at = table()->model()->index(row, static_cast<int>(column));
    table()->setCurrentIndex(at);
    table()->edit(at);
    QPointer<QLineEdit> editor = table()->viewport()->findChild<QLineEdit*>();
    ASSERT_FALSE(editor.isNull());
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits on its next turn of the event loop.
    ASSERT_TRUE(apptest::WaitUntil([&editor] { return editor.isNull(); }));
    apptest::WaitForCommand(window);
  }
};

// Made after the read, the table shows the block read last; a later read replaces it.
TEST_F(RegisterTableWindowTest, ShowsTheLastBlockReadWithItsPairs) {
  read(10, 5);
  window.showRegisterTable();
  ASSERT_EQ(table()->model()->rowCount(), 5);
  EXPECT_EQ(cell(0, RegisterColumn::kAddress), "10");
  EXPECT_EQ(cell(0, RegisterColumn::kHex), "0x4048");
  EXPECT_EQ(cell(0, RegisterColumn::kUnsigned), "16456");
  EXPECT_EQ(cell(0, RegisterColumn::kFloatHighFirst), "3.14");
  EXPECT_EQ(cell(0, RegisterColumn::kInt32HighFirst), "1078523331");
  EXPECT_EQ(cell(2, RegisterColumn::kSigned), "-1");
  EXPECT_EQ(cell(2, RegisterColumn::kInt32LowFirst), "4294967295 (-1)");
  EXPECT_EQ(cell(2, RegisterColumn::kFloatLowFirst), "NaN");
  EXPECT_EQ(cell(4, RegisterColumn::kUnsigned), "42");
  EXPECT_EQ(cell(4, RegisterColumn::kFloatHighFirst), "");  // the odd register has no pair
  EXPECT_EQ(table()->rowSpan(0, static_cast<int>(RegisterColumn::kFloatHighFirst)), 2);

  read(12, 2);
  ASSERT_EQ(table()->model()->rowCount(), 2);
  EXPECT_EQ(cell(0, RegisterColumn::kAddress), "12");

  // A read that fails leaves the last block shown.
  setField(ids::kStation, QString::number(200));
  BoxAnswerer boxes;
  read(10, 5);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(table()->model()->rowCount(), 2);
}

// An edit asks the write's warning; confirmed, the module holds the words and
// the cells show them.
TEST_F(RegisterTableWindowTest, AConfirmedEditWritesTheRegisterOrThePair) {
  read(10, 5);
  allowWrites();
  BoxAnswerer boxes;
  edit(4, RegisterColumn::kUnsigned, "1234");
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].title, QString::fromUtf8("警告"));
  EXPECT_EQ(boxes.seen[0].text,
            QString::fromUtf8("确定向站号 %1 的寄存器 14 写入 1234（原值 42）？").arg(station));
  EXPECT_EQ(bus->registerValue(station, 14), 1234);
  EXPECT_EQ(cell(4, RegisterColumn::kUnsigned), "1234");

  edit(0, RegisterColumn::kFloatLowFirst, "-1.5");
  ASSERT_EQ(boxes.seen.size(), 2u);
  EXPECT_EQ(bus->registerValue(station, 10), 0x0000);
  EXPECT_EQ(bus->registerValue(station, 11), 0xBFC0);
  EXPECT_EQ(cell(0, RegisterColumn::kFloatLowFirst), "-1.5");
  EXPECT_EQ(cell(1, RegisterColumn::kHex), "0xBFC0");
}

// Cancel on the warning, or a value the write tool refuses, writes nothing and
// the cell shows the module's word again.
TEST_F(RegisterTableWindowTest, ACancelledOrRefusedEditWritesNothing) {
  read(10, 5);
  allowWrites();
  {
    BoxAnswerer cancel(QMessageBox::Cancel);
    edit(4, RegisterColumn::kSigned, "-7");
    ASSERT_EQ(cancel.seen.size(), 1u);
  }
  {
    BoxAnswerer ok;
    edit(4, RegisterColumn::kHex, "0x1FFFF");
    ASSERT_EQ(ok.seen.size(), 1u);
    EXPECT_EQ(ok.seen[0].text, QString::fromUtf8(kBadRegisterValue.text()));
  }
  EXPECT_EQ(bus->registerValue(station, 14), 42);
  EXPECT_EQ(cell(4, RegisterColumn::kSigned), "42");
  EXPECT_EQ(cell(4, RegisterColumn::kHex), "0x002A");
  EXPECT_EQ(table()->viewport()->findChild<QLineEdit*>(), nullptr);
}
