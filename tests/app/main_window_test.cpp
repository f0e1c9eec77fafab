#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTextBlock>

#include "app/about_dlg.h"
#include "app/dialog_units.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/modal_helpers.h"
#include "app/qt_session_view.h"
#include "app/window_placement.h"
#include "dolvane_version.h"
#include "console/console.h"
#include "console/control_ids.h"
#include "layout/form_model.h"
#include "layout/main_window_controls.h"
#include "modbus/exchange.h"

using apptest::BoxAnswerer;
using apptest::WhenModal;

namespace {

// Asks a box through the window's view, as a job does, and waits for the answer.
bool AskThroughView(CDolvaneCaiJiDlg& window, BoxKind kind, const std::string& text) {
  std::optional<bool> answer;
  window.view().showBox(kind, text, [&answer](bool ok) { answer = ok; });
  apptest::WaitUntil([&answer] { return answer.has_value(); });
  return answer.value_or(false);
}

bool KindMatches(QWidget* w, ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton: return qobject_cast<QPushButton*>(w) && w->isVisibleTo(w->window());
    case ControlKind::kHiddenButton: return qobject_cast<QPushButton*>(w) && !w->isVisibleTo(w->window());
    case ControlKind::kPane: return qobject_cast<QPlainTextEdit*>(w) != nullptr;
    case ControlKind::kDigitEdit: return qobject_cast<QLineEdit*>(w) != nullptr;
    case ControlKind::kCombo: return qobject_cast<QComboBox*>(w) != nullptr;
    default: return false;
  }
}

// A control's rectangle as the window shows it: a combo closed.
DluRect ShownRect(const ControlDef& def) {
  DluRect rect = def.rect;
  if (def.kind == ControlKind::kCombo) rect.height = kClosedComboHeightDlu;
  return rect;
}

bool Overlap(const DluRect& a, const DluRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

QString TextOf(QWidget* w) {
  if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  return {};
}

}  // namespace

class MainWindowTest : public ::testing::Test {
 protected:
  CDolvaneCaiJiDlg window;
  apptest::StrayModalCloser strays;

  void TearDown() override { EXPECT_TRUE(strays.closed.isEmpty()) << strays.closed.join(", ").toStdString(); }

  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  template <typename W>
  W* control(int id) {
    return qobject_cast<W*>(window.control(id));
  }
  QString pane() { return control<QPlainTextEdit>(ids::kOutputPane)->toPlainText(); }
  LinkState& link() { return window.operations().link(); }
};

TEST_F(MainWindowTest, StartsWithWelcomeTextDefaultsAndClosedPort) {
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Dolvane采集模块调试工具V2.8  https://www.dolvane.example"));
  EXPECT_EQ(pane(), QString::fromUtf8(
                        "感谢使用我司产品！温馨提示：\n\n"
                        "产品技术规格书请通过我司网站获取 https://www.dolvane.example\n\n"
                        "技术支持可拨打电话：Dolvane技术值班专机000-0000-0000\n\n"
                        "模块站号、波特率等配置请通过软件底部“修改模块通讯参数和站号”功能区自行设置\n\n"
                        "固件版本为680及以上的产品增加寄存器写保护功能，建议使能写保护。\n\n"
                        "使能写操作方法: 写保护设置->允许写操作。\n\n"
                        "使能写保护方法: 写保护设置->禁止写操作。"));
  EXPECT_EQ(control<QLineEdit>(ids::kStation)->text(), "1");
  EXPECT_EQ(control<QLineEdit>(ids::kNewStation)->text(), "1");
  EXPECT_EQ(control<QComboBox>(ids::kBaudRate)->currentText(), "9600");
  EXPECT_EQ(control<QComboBox>(ids::kLineFormat)->currentText(), "N,8,1");
  EXPECT_EQ(control<QComboBox>(ids::kNewBaud)->currentText(), "9600");
  EXPECT_EQ(control<QComboBox>(ids::kNewFormat)->currentText(), "N,8,1");
  EXPECT_EQ(control<QComboBox>(ids::kBaudRate)->count(), 8);
  EXPECT_EQ(control<QComboBox>(ids::kLineFormat)->itemText(3), "N,8,2");
  EXPECT_EQ(control<QPushButton>(ids::kOpenPort)->text(), QString::fromUtf8("打开串口"));

  EXPECT_EQ(link().isOpen, 0);
  EXPECT_EQ(link().baudRate, 9600);
  EXPECT_EQ(link().lineFormat, 0);

  auto* paneEdit = control<QPlainTextEdit>(ids::kOutputPane);
  EXPECT_TRUE(paneEdit->isReadOnly());
  EXPECT_EQ(paneEdit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(paneEdit->font().pointSize(), 10);
  EXPECT_FALSE(window.windowIcon().pixmap(32).isNull());
  EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(ids::kOpenPort));
}

// The shared template's own rules: every control inside the window, none on
// another (a group box holds its controls), every command on a control.
TEST(MainWindowTemplate, ControlsFitTheWindowWithoutOverlapAndCarryEveryCommand) {
  const std::vector<ControlDef>& controls = MainWindowControls();
  for (size_t i = 0; i < controls.size(); ++i) {
    const DluRect a = ShownRect(controls[i]);
    SCOPED_TRACE(std::string(CaptionOf(controls[i])) + " " + std::to_string(controls[i].id));
    EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= kMainWindowWidthDlu && a.y + a.height <= kMainWindowHeightDlu);
    if (controls[i].kind == ControlKind::kGroupBox) continue;
    for (size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[j].kind == ControlKind::kGroupBox) continue;
      EXPECT_FALSE(Overlap(a, ShownRect(controls[j]))) << "overlaps " << CaptionOf(controls[j]) << " " << controls[j].id;
    }
  }
  for (const Command& command : CommandTable()) {
    const auto placed = std::find_if(controls.begin(), controls.end(),
                                     [&](const ControlDef& def) { return def.id == command.controlId; });
    EXPECT_NE(placed, controls.end()) << "command " << command.controlId << " has no control";
  }
}

TEST_F(MainWindowTest, EveryControlSitsAtItsConvertedRectangleInTabOrder) {
  EXPECT_TRUE(QFontInfo(window.font()).family().contains("CJK")) << QFontInfo(window.font()).family().toStdString();
  EXPECT_EQ(window.font().pointSize(), 9);
  const DialogUnits units = DialogUnits::ofFont(window.font(), &window);
  EXPECT_EQ(window.minimumSize(), units.toPixels(681, 407));
  EXPECT_EQ(window.maximumSize(), units.toPixels(681, 407));

  QList<QWidget*> unnamed;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w)) unnamed << w;
  }
  std::vector<QString> focusOrder;
  for (const ControlDef& def : MainWindowControls()) {
    const QRect rect = units.toPixels(ShownRect(def));
    const QString text = QString::fromUtf8(CaptionOf(def));
    const QString what = text + QString::number(def.id);
    if (def.id == 0) {
      const bool group = def.kind == ControlKind::kGroupBox;
      const QRect place = group ? rect : TextLineRect(rect, window.font(), &window);
      const auto found = std::find_if(unnamed.begin(), unnamed.end(), [&](QWidget* w) {
        return TextOf(w) == text && w->geometry() == place && group == (qobject_cast<QGroupBox*>(w) != nullptr);
      });
      EXPECT_NE(found, unnamed.end()) << what.toStdString();
      continue;
    }
    QWidget* w = window.control(def.id);
    ASSERT_NE(w, nullptr) << def.id;
    EXPECT_TRUE(KindMatches(w, def.kind)) << def.id;
    EXPECT_EQ(w->geometry(), rect) << def.id;
    if (!text.isEmpty()) {
      EXPECT_EQ(TextOf(w), text) << def.id;
    }
    if (def.kind != ControlKind::kHiddenButton) focusOrder.push_back(w->objectName());
  }

  // Tab walks the controls in template order and skips the hidden button.
  control<QPushButton>(ids::kOpenPort)->setFocus();
  std::vector<QString> walked;
  for (size_t i = 0; i < focusOrder.size(); ++i) {
    walked.push_back(QApplication::focusWidget()->objectName());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(walked, focusOrder);
  // The monitoring switch comes after the template's controls, then round again.
  EXPECT_EQ(QApplication::focusWidget(), window.monitorSwitch());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(ids::kOpenPort));
}

TEST_F(MainWindowTest, OnlyAListChoiceChangesTheLinkSettings) {
  auto* baud = control<QComboBox>(ids::kBaudRate);
  baud->setFocus();
  QTest::keyClicks(baud, "19200");
  QTest::keyClick(baud, Qt::Key_Return);
  EXPECT_EQ(baud->currentText(), "9600");
  EXPECT_EQ(link().baudRate, 9600);

  baud->showPopup();
  QAbstractItemView* list = baud->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
  QTest::qWait(QApplication::doubleClickInterval() + 100);  // the popup ignores an early release
  const QModelIndex entry = list->model()->index(4, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
  apptest::WaitForCommand(window);
  EXPECT_EQ(baud->currentText(), "19200");
  EXPECT_EQ(link().baudRate, 19200);

  // The arrow keys choose from the list too, as in any drop-down combo.
  auto* format = control<QComboBox>(ids::kLineFormat);
  format->setFocus();
  QTest::keyClick(format, Qt::Key_Down);
  apptest::WaitForCommand(window);
  EXPECT_EQ(link().lineFormat, 1);
  QTest::keyClick(control<QComboBox>(ids::kNewBaud), Qt::Key_Up);
  EXPECT_EQ(control<QComboBox>(ids::kNewBaud)->currentIndex(), 2);

  // A line set by an operation (the recovery scan) announces nothing.
  window.view().lineSettingsChanged(7, 3);
  EXPECT_EQ(baud->currentText(), "115200");
  EXPECT_EQ(format->currentText(), "N,8,2");
  EXPECT_EQ(link().baudRate, 19200);
  EXPECT_EQ(link().lineFormat, 1);
}

TEST_F(MainWindowTest, DigitEditsTakeOnlyDigits) {
  for (const ControlDef& def : MainWindowControls()) {
    if (def.kind != ControlKind::kDigitEdit) continue;
    auto* edit = control<QLineEdit>(def.id);
    edit->clear();
    QTest::keyClicks(edit, "1a-2 B,3.");
    EXPECT_EQ(edit->text(), "123") << def.id;
  }
}

TEST_F(MainWindowTest, EscapeAndEnterDoNotCloseTheWindow) {
  for (int id : {ids::kStation, ids::kWriteValues[7], ids::kBaudRate, ids::kNewFormat, ids::kOutputPane}) {
    QWidget* w = window.control(id);
    w->setFocus();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(w, key);
    EXPECT_TRUE(window.isVisible()) << id;
  }
  EXPECT_EQ(link().baudRate, 9600);

  // Enter on a focused push button runs that button.
  BoxAnswerer boxes;
  auto* read = control<QPushButton>(ids::kRead4SXY);
  read->setFocus();
  QTest::keyClick(read, Qt::Key_Return);
  apptest::WaitForCommand(window);
  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].text, QString::fromUtf8(msg::kPortNotOpen.text()));
  EXPECT_TRUE(window.isVisible());

  EXPECT_TRUE(window.close());  // the close box still closes it
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, BoxesAreOwnedByTheWindowWithChineseButtons) {
  std::vector<BoxAnswerer::Seen> seen;
  {
    BoxAnswerer boxes(QMessageBox::Cancel);
    AskThroughView(window, BoxKind::kInfo, "串口未打开!");
    EXPECT_FALSE(AskThroughView(window, BoxKind::kWarning, "继续？"));
    EXPECT_FALSE(AskThroughView(window, BoxKind::kCautiousWarning, "继续？"));
    seen = boxes.seen;
  }
  ASSERT_EQ(seen.size(), 3u);
  // Enter confirms an ordinary warning, never one for the whole bus.
  EXPECT_EQ(seen[1].defaultButton, QString::fromUtf8("确定"));
  EXPECT_EQ(seen[2].defaultButton, QString::fromUtf8("取消"));
  EXPECT_EQ(seen[0].title, QString::fromUtf8("提示"));
  EXPECT_EQ(seen[0].buttons, QStringList{QString::fromUtf8("确定")});
  EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen[0].owner, &window);
  EXPECT_EQ(seen[1].title, QString::fromUtf8("警告"));
  EXPECT_EQ(seen[1].owner, &window);
  EXPECT_TRUE(seen[1].buttons.contains(QString::fromUtf8("确定")));
  EXPECT_TRUE(seen[1].buttons.contains(QString::fromUtf8("取消")));
  for (const BoxAnswerer::Seen& box : seen) {
    // Wide enough that the window manager's icon and buttons leave the title whole.
    EXPECT_GE(box.width, box.titleWidth + 100) << box.title.toStdString();
    EXPECT_FALSE(box.buttonIcons) << box.title.toStdString();
  }

  BoxAnswerer ok(QMessageBox::Ok);
  EXPECT_TRUE(AskThroughView(window, BoxKind::kWarning, "继续？"));
}

TEST_F(MainWindowTest, AboutBoxFromTheContextMenuAndF1) {
  QString caption;
  QStringList texts;
  const auto readAndClose = [&](CAboutDlg* about) {
    caption = about->windowTitle();
    texts.clear();
    for (QLabel* label : about->findChildren<QLabel*>()) {
      texts << (label->pixmap().isNull() ? label->text() : QStringLiteral("(icon)"));
    }
    QTest::mouseClick(apptest::ButtonWithText(about, QString::fromUtf8("确定")), Qt::LeftButton);
  };

  // Right-click anywhere on the window: the menu offers the About item.
  QTimer::singleShot(50, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* action : menu->actions()) items << action->text();
    ASSERT_EQ(items, QStringList({QString::fromUtf8("通讯监视(&M)..."), QString::fromUtf8("查找模块(&F)..."),
                                  QString::fromUtf8("总线视图(&B)..."), QString::fromUtf8("写入记录(&J)..."),
                                  QString::fromUtf8("寄存器表(&T)..."), QString::fromUtf8("写入前读取原值(&R)"), QString::fromUtf8("关于 DolvaneCaiJi(&A)...")}));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().back()).center());
  });
  WhenModal<CAboutDlg>(readAndClose);
  QWidget* button = window.control(ids::kRead3RX);
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(button, &rightClick);
  EXPECT_EQ(caption, QString::fromUtf8("关于Dolvane电参数采集"));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("Dolvane电参数采集V1.0")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("版本 ") + kDolvaneVersion + QString::fromUtf8("  (C) Dolvane")));
  EXPECT_TRUE(texts.contains("(icon)"));

  // The pane keeps its copy menu, with the About item below.
  QString lastItem;
  QTimer::singleShot(50, [&lastItem] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    lastItem = menu->actions().back()->text();
    menu->close();
  });
  QWidget* paneArea = qobject_cast<QPlainTextEdit*>(window.control(ids::kOutputPane))->viewport();
  QContextMenuEvent paneClick(QContextMenuEvent::Mouse, QPoint(5, 5), paneArea->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(paneArea, &paneClick);
  EXPECT_EQ(lastItem, QString::fromUtf8("关于 DolvaneCaiJi(&A)..."));

  caption.clear();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  WhenModal<CAboutDlg>(readAndClose);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_EQ(caption, QString::fromUtf8("关于Dolvane电参数采集"));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(pane().left(8), QString::fromUtf8("感谢使用我司产品"));  // unchanged
}

TEST_F(MainWindowTest, ProgressBarShowsOnlyWhileStepsRemain) {
  QProgressBar* bar = window.progressBar();
  EXPECT_FALSE(bar->isVisible());
  window.view().progress(5, 33);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->value(), 5);
  EXPECT_EQ(bar->maximum(), 33);
  // Between the pane and the bottom groups, covering neither.
  EXPECT_GE(bar->geometry().top(), window.control(ids::kOutputPane)->geometry().bottom());
  EXPECT_LT(bar->geometry().bottom(), window.control(ids::kAllowWrite)->geometry().top());
  window.view().progress(33, 33);
  EXPECT_FALSE(bar->isVisible());
}

// Converted with the dialog font's em, the window fits a 1366×768 laptop and a
// 1024×768 screen with its title bar; it opens centred, with the close box on screen.
TEST_F(MainWindowTest, OpensCentredAndFitsSmallScreensWithItsTitleBar) {
  if (window.logicalDpiY() == 96) {
    EXPECT_EQ(window.size(), QSize(1022, 611));
  }
  constexpr int kTitleBar = 40;  // more than a window manager's title bar and border
  for (const QSize screenSize : {QSize(1366, 768), QSize(1024, 768)}) {
    const QRect screen(QPoint(0, 0), screenSize);
    const QPoint frame = CentredFramePosition(window.size(), QMargins(0, kTitleBar, 0, 0), screen);
    EXPECT_TRUE(screen.contains(QRect(frame, QSize(window.width(), kTitleBar)))) << screenSize.width();
    const QPoint client = frame + QPoint(0, kTitleBar);
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (w->parentWidget() != &window || !w->isVisibleTo(&window)) continue;
      EXPECT_TRUE(screen.contains(w->geometry().translated(client)))
          << screenSize.width() << " " << (TextOf(w) + w->objectName()).toStdString();
    }
  }

  const QRect available = window.screen()->availableGeometry();
  const QRect opened = window.frameGeometry();
  EXPECT_TRUE(available.contains(opened));
  // Centred but for the frame's borders, unknown until the window is framed.
  EXPECT_LE(std::abs((opened.left() - available.left()) - (available.right() - opened.right())), 8)
      << opened.left() << "," << opened.top() << " in " << available.width() << "x" << available.height();
  EXPECT_GE(window.geometry().top() - available.top(), 20);  // room for any title bar
}

TEST_F(MainWindowTest, NoTextIsCutOff) {
  EXPECT_EQ(apptest::CutOffTexts(&window), QStringList());
  CAboutDlg about(&window);
  about.show();
  EXPECT_EQ(apptest::CutOffTexts(&about), QStringList());
}

// Enter in an edit, a combo or the pane presses nothing, so no button may look
// like the default one there.
TEST_F(MainWindowTest, NoButtonLooksLikeTheDefaultWhereEnterPressesNothing) {
  const auto defaults = [this] {
    QStringList shown;
    for (QPushButton* b : window.findChildren<QPushButton*>()) {
      if (b->isDefault()) shown << b->text();
    }
    return shown;
  };
  control<QPushButton>(ids::kOpenPort)->setFocus();
  const int stops = static_cast<int>(window.findChildren<QWidget*>().size());
  for (int i = 0; i < stops; ++i) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    if (!qobject_cast<QPushButton*>(focus)) {
      EXPECT_EQ(defaults(), QStringList()) << focus->objectName().toStdString();
    }
    QTest::keyClick(focus, Qt::Key_Tab);
  }
}

// The reset scan adds a line per attempt while it reports progress: the newest
// stays in view. A read's report, which grows once, stays at its top.
TEST_F(MainWindowTest, ThePaneKeepsTheNewestLineInViewWhileAReportGrows) {
  auto* paneEdit = control<QPlainTextEdit>(ids::kOutputPane);
  const auto inView = [paneEdit](int block) {
    QTextCursor cursor(paneEdit->document()->findBlockByNumber(block));
    return paneEdit->viewport()->rect().contains(paneEdit->cursorRect(cursor));
  };
  std::string report = "正在尝试复位模块站号/波特率，请耐心等待...\r\n\r\n";
  window.view().setPaneText("");
  window.view().setPaneText(report);
  window.view().progress(0, 32);
  for (int attempt = 1; attempt <= 32; ++attempt) {
    report += "正在尝试波特率：" + std::to_string(attempt) + "=  9600BPS。\n校验值号：0=N,8,1。\r\n";
    window.view().setPaneText(report);
    const int lastLine = paneEdit->document()->blockCount() - 2;  // the report ends with a line break
    EXPECT_TRUE(inView(lastLine)) << attempt;
  }
  EXPECT_EQ(paneEdit->toPlainText().toStdString(), QString::fromUtf8(report).replace("\r\n", "\n").toStdString());
  window.view().progress(32, 32);

  // A new report starts at its top, and stays there while it grows.
  window.view().setPaneText("十六进制显示发送数据：\r\n" + report);
  window.view().setPaneText("十六进制显示发送数据：\r\n" + report + report);
  EXPECT_EQ(paneEdit->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(inView(0));
}
