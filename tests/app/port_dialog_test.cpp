#include <gtest/gtest.h>

#include <QApplication>
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
    {"tcp:192.0.2.10:4001", true},         {"tcp:192.0.2.10", false},
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
  EXPECT_EQ(EditComDialog(nullptr, {}).edit()->text(), "1");
  // The offered device is filled in, so Enter alone opens it.
  EditComDialog dialog(nullptr, {{"/dev/pts/77", "模拟总线（9600，N,8,1）：1=4SXY"}});
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("请输入串口号"));
  EXPECT_EQ(dialog.edit()->text(), "/dev/pts/77");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  QListWidget* list = dialog.portList();
  ASSERT_GE(list->count(), 1);
  QListWidgetItem* first = list->item(0);
  EXPECT_TRUE(first->text().contains(QString::fromUtf8("模拟总线"))) << first->text().toStdString();
  dialog.edit()->clear();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(first).center());
  EXPECT_EQ(dialog.edit()->text(), "/dev/pts/77");
  EXPECT_EQ(apptest::CutOffTexts(&dialog), QStringList());

  QTest::keyClick(dialog.edit(), Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
}

namespace {

// Two offered devices, so that the list's order is known.
class PortDialogKeysTest : public ::testing::Test {
 protected:
  EditComDialog dialog{nullptr, {{"/dev/pts/77", "模拟总线"}, {"/dev/pts/78", ""}}};

  void SetUp() override {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_EQ(QApplication::focusWidget(), dialog.edit());
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void type(const char* entry) {
    dialog.edit()->selectAll();
    QTest::keyClicks(dialog.edit(), entry);
  }
};

}  // namespace

// Tabbing through the list does not replace what was typed.
TEST_F(PortDialogKeysTest, TypedEntrySurvivesTabbingThroughTheList) {
  type("/dev/ttyUSB7");
  press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), dialog.portList());
  EXPECT_EQ(dialog.edit()->text(), "/dev/ttyUSB7");
  press(Qt::Key_Tab);
  press(Qt::Key_Backtab);  // back into the list, and on to the edit
  press(Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), dialog.edit());
  EXPECT_EQ(dialog.edit()->text(), "/dev/ttyUSB7");
  press(Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.portEntry(), "/dev/ttyUSB7");
}

// In the list the arrow keys pick, and Enter takes the entry that has the focus.
TEST_F(PortDialogKeysTest, ArrowKeysPickAndEnterTakesTheEntry) {
  type("5");
  press(Qt::Key_Tab);
  press(Qt::Key_Down);
  EXPECT_EQ(dialog.edit()->text(), dialog.portList()->currentItem()->data(Qt::UserRole).toString());
  EXPECT_EQ(dialog.edit()->text(), "/dev/pts/78");
  press(Qt::Key_Up);
  EXPECT_EQ(dialog.edit()->text(), "/dev/pts/77");
  press(Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.portEntry(), "/dev/pts/77");
}

TEST_F(PortDialogKeysTest, EnterInTheListTakesTheFocusedEntry) {
  type("5");
  press(Qt::Key_Tab);
  EXPECT_EQ(dialog.edit()->text(), "5");
  press(Qt::Key_Enter);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.portEntry(), "/dev/pts/77");
}
