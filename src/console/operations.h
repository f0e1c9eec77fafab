#pragma once
#include <memory>

#include "link/link.h"
#include "modbus/exchange.h"
#include "modbus/frames.h"

class Console;

// The process-wide state and one method per command handler. The window's
// command table and the CLI's operations both land here.
class Operations {
 public:
  Operations(Console& console, std::unique_ptr<SerialPort> port);

  // Link defaults that the window's initialisation sets.
  void InitLinkDefaults();

  void OnBnClickedOpenPort();
  void OnCbnSelchangeBaudRate();
  void OnCbnSelchangeLineFormat();
  void OnBnClickedRead4SXY();
  void OnBnClickedRead3SXY();
  void OnBnClickedRead8SXY();
  void OnBnClickedRead3RX();
  void OnBnClickedRead4RXY();
  void OnBnClickedRead4WX();
  void OnBnClickedRead16RXY();
  void OnBnClickedRead8RXYZ();
  void OnBnClickedRead12RX();
  void OnBnClickedRead10RX();
  void OnBnClickedRead5RXZ();
  void OnBnClickedRead9VXY();
  void OnBnClickedRead5UZ();
  void OnBnClickedReadForeignMeter();
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
  void readModelOfButton(int buttonId);

  Console& console_;
  std::unique_ptr<SerialPort> port_;
  LinkState link_;
  TxFrame tx_;
  RxFrame rx_;
  OperationContext ctx_;
};

// The command table: control id, event, handler.
enum class CommandEvent { kClick, kSelectionChange };
struct Command {
  int controlId;
  CommandEvent event;
  void (Operations::*handler)();
  const char* handlerName;
};
extern const Command kCommandTable[];
extern const size_t kCommandTableSize;
