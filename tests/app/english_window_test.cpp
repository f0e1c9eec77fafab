// The window in English: no control of it or of its tools shows Chinese, and
// the English fits the rectangles the Chinese was drawn for.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include "app/about_dlg.h"
#include "app/bus_view_window.h"
#include "app/discovery_dialog.h"
#include "app/dolvane_cai_ji_app.h"
#include "app/dolvane_cai_ji_dlg.h"
#include "app/journal_window.h"
#include "app/modal_helpers.h"
#include "app/monitor_controller.h"
#include "app/traffic_window.h"
#include "app/register_table_pane.h"
#include "app/temporary_settings.h"
#include "app/trend_plot_window.h"
#include "app/workbench_window.h"
#include "console/control_ids.h"
#include "console/texts.h"
#include "models/model_registry.h"

using apptest::WhenModal;

namespace {

// Every text a user reads on a window's controls, named by where it is.
QStringList ControlTexts(QWidget* window) {
  QStringList texts{"title: " + window->windowTitle()};
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->toolTip().isEmpty()) texts << "tooltip: " + w->toolTip();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << "button: " + button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) texts << "label: " + label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) texts << "group: " + group->title();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) texts << "placeholder: " + edit->placeholderText();
    if (auto* combo = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < combo->count(); ++i) texts << "combo item: " + combo->itemText(i);
    if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
      for (int i = 0; i < header->count(); ++i)
        texts << "column: " + header->model()->headerData(i, header->orientation()).toString();
    if (w->isWindow() && w != window) texts << "window: " + w->windowTitle();
  }
  for (QAction* action : window->findChildren<QAction*>()) texts << "menu item: " + action->text();
  return texts;
}

// Model names are names in either language: a caption that is one is left aside.
QStringList WithChinese(const QStringList& texts) {
  static const QRegularExpression kCjk(QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  QStringList chinese;
  for (const QString& text : texts) {
    bool modelName = false;
    for (const ModelEntry& model : Models()) modelName = modelName || text.endsWith(QString::fromUtf8(model.cliName));
    if (text.contains(kCjk) && !modelName) chinese << text;
  }
  return chinese;
}

class EnglishWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(Language::kEnglish);
    CDolvaneCaiJiApp::installTexts(*qApp);
    window = std::make_unique<CDolvaneCaiJiDlg>();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    window.reset();
    SetLanguage(Language::kChinese);
  }

  std::unique_ptr<CDolvaneCaiJiDlg> window;
  apptest::StrayModalCloser strays;
};

TEST_F(EnglishWindowTest, NoControlOfTheWindowOrItsToolsShowsChinese) {
  QStringList texts = ControlTexts(window.get());
  texts << ControlTexts(window->showTrafficWindow()) << ControlTexts(window->showBusView())
        << ControlTexts(window->showJournalWindow()) << ControlTexts(&window->monitor().plotWindow());
  QStringList finder;
  WhenModal<DiscoveryDialog>([&finder](DiscoveryDialog* dialog) {
    finder = ControlTexts(dialog);
    dialog->reject();
  });
  window->showDiscovery();
  ASSERT_FALSE(finder.isEmpty());
  QStringList about;
  WhenModal<CAboutDlg>([&about](CAboutDlg* dialog) {
    about = ControlTexts(dialog);
    dialog->reject();
  });
  window->showAbout();
  ASSERT_FALSE(about.isEmpty());
  texts << finder << about;

  EXPECT_EQ(WithChinese(texts).join("\n").toStdString(), "") << "of " << texts.size() << " texts";
  EXPECT_TRUE(texts.contains("button: Open port")) << texts.join("\n").toStdString();
  EXPECT_TRUE(texts.contains("column: Verdict")) << texts.join("\n").toStdString();
  EXPECT_FALSE(window->findChild<QPlainTextEdit*>()->toPlainText().contains(QString::fromUtf8("感谢")));
}

// The workbench around it: menus, dock titles, the status bar and the register table.
TEST_F(EnglishWindowTest, TheWorkbenchAroundTheDialogIsEnglishToo) {
  apptest::TemporarySettings settings;
  WorkbenchWindow workbench;
  workbench.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&workbench));
  QStringList texts = ControlTexts(&workbench);
  for (QDockWidget* dock : workbench.findChildren<QDockWidget*>()) texts << "dock: " + dock->windowTitle();
  texts << ControlTexts(workbench.dialog().registerTablePane());
  EXPECT_EQ(WithChinese(texts).join("\n").toStdString(), "") << "of " << texts.size() << " texts";
  EXPECT_TRUE(texts.contains("label: Port not open")) << texts.join("\n").toStdString();
  EXPECT_TRUE(texts.contains("column: Float ABCD")) << texts.join("\n").toStdString();
}

TEST_F(EnglishWindowTest, TheEnglishCaptionsFitTheirRectangles) {
  // The main window first: the tools open as windows of their own above it.
  EXPECT_EQ(apptest::CutOffTexts(window.get()).join("\n").toStdString(), "");
  for (QWidget* tool : {static_cast<QWidget*>(window->showTrafficWindow()),
                        static_cast<QWidget*>(window->showBusView()), static_cast<QWidget*>(window->showJournalWindow())}) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
    EXPECT_EQ(apptest::CutOffTexts(tool).join("\n").toStdString(), "") << tool->windowTitle().toStdString();
  }
}

}  // namespace
