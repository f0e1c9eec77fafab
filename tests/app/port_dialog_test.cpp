#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "app/edit_com_dialog.h"
#include "app/modal_helpers.h"

using apptest::BoxAnswerer;
using apptest::ButtonWithText;

namespace {

struct EntryCase {
  const char* entry;
  bool accepted;
};

const EntryCase kEntries[] = {
    {"0", false},   {"256", false},        {"", false},
    {"abc", false}, {"-3", false},         {"1", true},
    {"255", true},  {" 12x", true},        {"/dev/ttyUSB0", true},
};

}  // namespace

TEST(PortDialogTest, AcceptsPortNumbersOneTo255AndDevicePaths) {
  for (const EntryCase& c : kEntries) {
    EditComDialog dialog(nullptr, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.edit()->setText(QString::fromUtf8(c.entry));
    BoxAnswerer boxes;
    QTest::mouseClick(ButtonWithText(&dialog, QString::fromUtf8("确定")), Qt::LeftButton);
    if (c.accepted) {
      EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.entry;
      EXPECT_TRUE(boxes.seen.empty()) << c.entry;
      EXPECT_EQ(dialog.portEntry(), c.entry);
    } else {
      EXPECT_TRUE(dialog.isVisible()) << c.entry;
      ASSERT_EQ(boxes.seen.size(), 1u) << c.entry;
      EXPECT_EQ(boxes.seen[0].text, QString::fromUtf8("非法的端口号！"));
      EXPECT_EQ(boxes.seen[0].title, QString::fromUtf8("提示"));
      EXPECT_EQ(boxes.seen[0].owner, &dialog);
      EXPECT_EQ(boxes.seen[0].buttons, QStringList{QString::fromUtf8("确定")});
    }
  }
}

TEST(PortDialogTest, OffersTheGivenDeviceFirstAndPickingFillsTheEdit) {
  EditComDialog dialog(nullptr, {{"/dev/pts/77", "模拟总线（9600，N,8,1）：1=4SXY"}});
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("请输入串口号"));
  EXPECT_EQ(dialog.edit()->text(), "1");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  QListWidget* list = dialog.portList();
  ASSERT_GE(list->count(), 1);
  QListWidgetItem* first = list->item(0);
  EXPECT_TRUE(first->text().contains(QString::fromUtf8("模拟总线"))) << first->text().toStdString();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(first).center());
  EXPECT_EQ(dialog.edit()->text(), "/dev/pts/77");

  QTest::keyClick(dialog.edit(), Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
}
