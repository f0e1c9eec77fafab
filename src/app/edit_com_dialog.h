#pragma once
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

// A device the port dialog offers in its list.
struct PortChoice {
  std::string device;
  std::string description;  // shown instead of the path when not empty
};

// The devices the console offers, asked for each time the dialog opens so that
// a description tells how things are now.
using PortOffer = std::function<std::vector<PortChoice>()>;

// The port dialog: a port number (1-255, port n being /dev/ttyS(n-1)) or a
// device path, typed or picked from the serial ports found on this machine.
class EditComDialog : public QDialog {
  Q_OBJECT
 public:
  // `offered` comes first in the list (the simulated bus), then the ports found;
  // the edit starts with the first offered device, else with port 1.
  EditComDialog(QWidget* owner, const std::vector<PortChoice>& offered);

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
