#pragma once
// The Console of the window: operations reach the widgets through it.
#include "app/edit_com_dialog.h"
#include "console/console.h"

class QProgressBar;
class QWidget;

class QtConsole : public Console {
 public:
  // Controls are found in `window` by their id; boxes are owned by it.
  QtConsole(QWidget& window, QProgressBar& progressBar, PortOffer offerPorts);

  void setPaneText(const std::string& text) override;
  void showInfo(const std::string& text) override;
  bool askWarning(const std::string& text) override;
  bool askCautiousWarning(const std::string& text) override;
  void portStateChanged(bool open) override;
  void lineSettingsChanged(int baudIndex, int formatIndex) override;
  std::optional<std::string> askPort() override;
  void repaint() override;
  void pause(int milliseconds) override;
  void idle() override;
  void progress(int done, int total) override;

 private:
  template <typename Widget>
  Widget* control(int controlId) const;

  QWidget& window_;
  QProgressBar& progressBar_;
  PortOffer offerPorts_;
  bool followPane_ = false;  // while an operation reports progress
};
