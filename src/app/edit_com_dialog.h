#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "link/ports.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;


// The port dialog: a port number (1-255, port n being /dev/ttyS(n-1)) or a
// device path, typed or picked from the serial ports found on this machine.
class EditComDialog : public QDialog {
  Q_OBJECT
 public:
  // `offered` comes first in the list (the simulated bus), then the ports found;
  // the edit starts with the first offered device, else with `lastEntry` (the
  // port of the last run), else with port 1.
  EditComDialog(QWidget* owner, const std::vector<PortChoice>& offered, const std::string& lastEntry = {});

  // The accepted entry, as typed or picked.
  std::string portEntry() const;
  QLineEdit* edit() const { return edit_; }
  QListWidget* portList() const { return list_; }

  void accept() override;

 private:
  void buildControls();
  void fillList(const std::vector<PortChoice>& offered);
  void pick(QListWidgetItem* item);

  QLineEdit* edit_ = nullptr;
  QListWidget* list_ = nullptr;
};
