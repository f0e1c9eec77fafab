#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "link/link.h"
#include "modbus/exchange.h"
#include "modbus/frames.h"

class Console;
struct ModelEntry;

// The process-wide state and one method per command handler. The window's
// command table and the CLI's operations both land here.
class Operations {
 public:
  Operations(Console& console, std::unique_ptr<SerialPort> port);
  // It holds references to its own members.
  Operations(const Operations&) = delete;
  Operations& operator=(const Operations&) = delete;

  // Link defaults that the window's initialisation sets.
  void InitLinkDefaults();

  void OnBnClickedOpenPort();
  void OnCbnSelchangeBaudRate();
  void OnCbnSelchangeLineFormat();
  // The handler of every model button (OnBnClickedRead4SXY, ...): the model's
  // row in the registry says what to read and how to report it.
  void OnBnClickedReadModel(const ModelEntry& model);
  void OnBnClickedReadRegisters();
  void OnBnClickedWriteRegister();
  void OnBnClickedWriteRegisters();
  void OnBnClickedAllowWrite();
  void OnBnClickedForbidWrite();
  void OnCbnSelchangeNewBaud();
  void OnCbnSelchangeNewFormat();
  void OnBnClickedChangeCommParams();
  void OnBnClickedCommReset();

  // Runs the handler bound to a control id; false for an id without one.
  bool Dispatch(int controlId);

  LinkState& link() { return link_; }
  const TxFrame& txFrame() const { return tx_; }
  const RxFrame& rxFrame() const { return rx_; }
  SerialPort& port() { return *port_; }
  OperationContext& context() { return ctx_; }

 private:
  Console& console_;
  std::unique_ptr<SerialPort> port_;
  LinkState link_;
  TxFrame tx_;
  RxFrame rx_;
  OperationContext ctx_;
};

// The command table: control id, event, handler. The model buttons' rows come
// from the model registry.
enum class CommandEvent { kClick, kSelectionChange };
struct Command {
  int controlId;
  CommandEvent event;
  std::function<void(Operations&)> handler;
};
const std::vector<Command>& CommandTable();
