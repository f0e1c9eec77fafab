#pragma once
// The workbench: the system's dialog, unchanged, as the central widget of a
// main window with a menu bar, a status bar that names the open port and the
// line it really uses, and the tool windows as docks beside the dialog. What
// the user set (port, line, station, window and docks, last folder) is
// remembered between runs; a first start looks as the dialog alone.
#include <QMainWindow>
#include <QStringList>
#include <map>
#include <optional>

#include "app/dolvane_cai_ji_dlg.h"
#include "app/edit_com_dialog.h"
#include "app/trend_plot_window.h"

class QAction;
class QDockWidget;
class QLabel;

class WorkbenchWindow : public QMainWindow {
  Q_OBJECT
 public:
  using Tool = CDolvaneCaiJiDlg::Tool;

  // Reads the remembered settings (QSettings under the application's names).
  explicit WorkbenchWindow(PortOffer offerPorts = {});
  ~WorkbenchWindow() override;

  CDolvaneCaiJiDlg& dialog() const { return *dialog_; }
  // The tool's dock, made (closed) on first use.
  QDockWidget* dock(Tool tool);
  QLabel* portStatus() const { return portStatus_; }


 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The tool a made dock holds, or nullptr.
  QWidget* toolIn(Tool tool) const;
  QStringList openDockNames() const;
  void createMenus();
  void createFileMenu();
  void present(Tool tool, QWidget& widget);
  void showDock(QDockWidget* dock);
  void makeRoomFor(QDockWidget* dock);
  void showPortStatus();
  void restoreSettings();
  // Written when the window closes; `docks` is the dock layout as it was
  // before the tools closed with the dialog.
  void saveSettings(const QByteArray& docks, const QStringList& openDocks) const;

  CDolvaneCaiJiDlg* dialog_ = nullptr;  // the central widget; deleted first
  std::map<Tool, QDockWidget*> docks_;
  std::map<Tool, QAction*> viewToggles_;  // 视图's item per tool
  QDockWidget* firstDock_ = nullptr;  // the others tab with it
  QLabel* portStatus_ = nullptr;
  QString busFolder_;  // the bus view's last folder, until it exists
  std::optional<TrendPlotWindow::Picks> trendPicks_;  // remembered, until the trend is made
};
