#pragma once
// 寄存器表: the last block 读多寄存器 read, a row per register, with the
// 32-bit and float values of each pair. A value cell edited becomes a write
// that runs on the window's session through the write buttons' handlers, with
// their boxes; the cell changes only when the module acknowledged the write.
#include <QWidget>
#include <optional>

#include "app/command_runner.h"
#include "console/console.h"

class QLabel;
class QTableView;
class RegisterTableModel;

class RegisterTablePane : public QWidget {
  Q_OBJECT
 public:
  explicit RegisterTablePane(CommandRunner run, QWidget* parent = nullptr);
  ~RegisterTablePane() override;

  // A read replaces the rows; an acknowledged write changes the registers it shares.
  void showRead(const StationRegisters& block);
  void showWritten(const StationRegisters& block);
  // Edits are taken only while the window's commands are.
  void setEditable(bool editable);

  QTableView* table() const { return table_; }
  const std::optional<StationRegisters>& block() const;

 private:
  RegisterTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* caption_ = nullptr;
};
