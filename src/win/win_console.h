#pragma once
// The Console of the Win32 window: its dialog's controls, MessageBoxW and the
// port dialog. UTF-8 inside, UTF-16 at each call.
#include <windows.h>

#include "console/console.h"

class WinConsole : public Console {
 public:
  explicit WinConsole(HWND dialog) : dialog_(dialog) {}

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
  HWND dialog_;
  bool followPane_ = false;  // while an operation reports progress, its newest line shows
};

// Handles the messages waiting for this thread, dropping keyboard and mouse
// input: the window stays painted while a command waits, and takes no other.
void PumpWithoutInput();
