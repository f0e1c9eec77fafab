#include "cli/terminal_console.h"
#include "console/texts.h"

#include <chrono>
#include <istream>
#include <ostream>
#include <thread>


void TerminalConsole::setPaneText(const std::string& text) {
  pane_ = text;
  if (streamPane) flushPane();
}

void TerminalConsole::flushPane() {
  // What was printed cannot be taken back: growth prints what is new, a pane
  // rewritten to other text is printed whole after it.
  const bool grew = pane_.size() >= shown_.size() && pane_.compare(0, shown_.size(), shown_) == 0;
  out_ << (grew ? pane_.substr(shown_.size()) : pane_);
  out_.flush();
  shown_ = pane_;
}

void TerminalConsole::resetPane() {
  pane_.clear();
  shown_.clear();
}

void TerminalConsole::showInfo(const std::string& text) {
  sawErrorBox_ = true;
  showNotice(text);
}

void TerminalConsole::showNotice(const std::string& text) {
  if (progressLineOpen_) err_ << '\n';
  progressLineOpen_ = false;
  err_ << Tr("cli", "提示: ") << text << '\n';
  err_.flush();
}

bool TerminalConsole::askWarning(const std::string& text) {
  err_ << Tr("cli", "警告: ") << text << '\n';
  bool ok = assumeYes;
  if (!ok && inIsTerminal_) {
    err_ << Tr("cli", "继续？(y/N) ");
    err_.flush();
    std::string answer;
    std::getline(in_, answer);
    ok = answer == "y" || answer == "Y" || answer == "yes";
  }
  if (!ok) sawCancel_ = true;
  err_.flush();
  return ok;
}

void TerminalConsole::pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void TerminalConsole::progress(int done, int total) {
  if (!showProgress) return;
  // One line rewritten in place; it is closed once the run ends.
  err_ << '\r' << done << '/' << total;
  progressLineOpen_ = done < total;
  if (!progressLineOpen_) err_ << '\n';
  err_.flush();
}

void TerminalConsole::endProgress() {
  if (progressLineOpen_) err_ << '\n';
  progressLineOpen_ = false;
  showProgress = false;
}
