#pragma once
// The 查找模块 dialog of the Win32 front: station scan and line detection on
// the shared run (tools/finder_run.h), as a job on the session's worker, with
// a progress bar and a Cancel that ends the run within one exchange. Modal to
// the main window; it does not close while a run holds the port. A scan that
// found modules makes a bus for the bus view (生成总线…).
#include <windows.h>

#include <functional>
#include <optional>

#include "bus/bus_file.h"
#include "session/front_channel.h"
#include "tools/finder_run.h"

class FinderDialog {
 public:
  // Starts a job on the session's worker; `done` runs on this thread once it
  // ended. False when the port is busy.
  using Runner = std::function<bool(FinderRun::Job job, std::function<void()> done)>;

  // `cancel` raises the session's cancel flag; `front` carries the progress
  // from the worker to this thread.
  FinderDialog(Runner run, std::function<void()> cancel, FrontChannel& front);
  ~FinderDialog();
  FinderDialog(const FinderDialog&) = delete;
  FinderDialog& operator=(const FinderDialog&) = delete;

  // Shows the dialog over `owner` and returns when it is closed.
  void exec(HWND owner);
  // The bus 生成总线… made of the last scan, which closed the dialog: for
  // the bus view to show once the port is free.
  const std::optional<BusFile>& scannedBus() const { return scannedBus_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void createControls();
  void layout();
  int fieldValue(int id, const FinderField& field);
  void onCommand(int id);
  void runDiscovery(FinderRun::Job job);
  FinderRun::Progress progressSink();
  void showProgress(int done, int total);
  void requestCancel();
  void setRunning(bool running);
  bool scanFoundModules() const;
  void makeBus();
  void close();

  Runner run_;
  std::function<void()> cancel_;
  FrontChannel& front_;
  FinderRun finderRun_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  HFONT resultsFont_ = nullptr;
  bool running_ = false;
  bool closed_ = false;
  std::optional<BusFile> scannedBus_;
};
