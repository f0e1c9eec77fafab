#pragma once
#include <memory>

#include "config/comm_params.h"
#include "link/link.h"
#include "modbus/exchange.h"
#include "modbus/frames.h"
#include "modbus/register_tools.h"

class Console;
struct ModelEntry;

// The process-wide state and one method per command handler, each taking its
// typed request. The command table (layout/form_model.h) builds those requests
// from the window's form, the CLI from its arguments.
class Operations {
 public:
  Operations(Console& console, std::unique_ptr<SerialPort> port);
  // It holds references to its own members.
  Operations(const Operations&) = delete;
  Operations& operator=(const Operations&) = delete;

  // Link defaults that the window's initialisation sets.
  void InitLinkDefaults();
  // Every write from now on goes into `journal` before it is sent; with
  // `readBeforeWrite` the register tools read the words they replace first.
  void journalWrites(std::unique_ptr<WriteJournal> journal, bool readBeforeWrite);
  // The window's switch for that read (on the worker, between commands).
  void setReadBeforeWrite(bool on) { ctx_.readBeforeWrite = on; }
  bool readsBeforeWrite() const { return ctx_.readBeforeWrite; }

  void OnBnClickedOpenPort();
  // The link's line for the next opening: indexes into kBaudRates and kLineFormats.
  void OnCbnSelchangeBaudRate(int index);
  void OnCbnSelchangeLineFormat(int index);
  // Follows a module that moved: its line for the next opening, and an open
  // port opened again at it at once, without the port dialog.
  void SwitchToLine(int baudIndex, int formatIndex);
  // The handler of every model button (OnBnClickedRead4SXY, ...): the model's
  // row in the registry says what to read and how to report it.
  void OnBnClickedReadModel(const ModelEntry& model, const StationInput& station);
  void OnBnClickedReadRegisters(const ReadRegistersRequest& request);
  void OnBnClickedWriteRegister(const WriteRegisterRequest& request);
  void OnBnClickedWriteRegisters(const WriteRegistersRequest& request);
  void OnBnClickedAllowWrite(const StationInput& station);
  void OnBnClickedForbidWrite(const StationInput& station);
  void OnBnClickedChangeCommParams(const CommParamsRequest& request);
  void OnBnClickedCommReset();

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
  std::unique_ptr<WriteJournal> journal_;
  OperationContext ctx_;
};
