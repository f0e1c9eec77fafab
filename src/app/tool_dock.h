#pragma once
// A dock for one tool window. The tool keeps its own close rules: closing the
// dock closes the tool (a tool that refuses keeps the dock open), and a tool
// that hides itself (a dialog that ended, a trend with nothing to show) takes
// the dock with it. A tool made on first use is asked for when the dock opens
// empty (the 视图 toggle, a restored layout). The tool keeps the least size
// it was laid out for and scrolls in a dock narrower than that: beside the
// dialog on a small screen, the window must not outgrow the screen.
#include <QDockWidget>
#include <functional>

class ToolDock : public QDockWidget {
  Q_OBJECT
 public:
  ToolDock(const QString& title, QWidget* parent);

  // Makes and shows the tool when the dock opens without it.
  void setOpener(std::function<void()> open) { open_ = std::move(open); }
  // Takes `tool` in (once) and shows it.
  void hold(QWidget& tool);
  QWidget* tool() const { return tool_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> open_;
  QWidget* tool_ = nullptr;
  bool closing_ = false;
};
