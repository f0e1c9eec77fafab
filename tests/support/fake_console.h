#pragma once
// A scripted Console for tests, and the form it stands before: fields and
// combos are set up front, every box is recorded, warning answers come from a
// queue (OK when it runs dry). The window's notifications land where a window
// shows them: the open button's caption, the line's combo boxes.
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/control_ids.h"
#include "layout/form_model.h"
#include "layout/main_window_texts.h"

class FakeConsole : public Console, public FormView {
 public:
  struct Box {
    std::string kind;  // "提示" or "警告"
    std::string text;
  };

  std::map<int, std::string> fields;
  std::map<int, int> combos;
  std::map<int, std::string> captions;
  std::string pane;
  std::vector<std::string> paneHistory;  // every text put into the pane
  std::vector<Box> boxes;
  std::deque<bool> warningAnswers;
  std::optional<std::string> portAnswer;
  std::vector<ModuleLine> moved;  // where the notices said the module went
  int pausedMs = 0;

  std::string fieldText(int id) const override {
    const auto it = fields.find(id);
    return it == fields.end() ? std::string() : it->second;
  }
  int comboSelection(int id) const override {
    const auto it = combos.find(id);
    return it == combos.end() ? 0 : it->second;
  }
  void setPaneText(const std::string& text) override {
    pane = text;
    paneHistory.push_back(text);
  }
  void showInfo(const std::string& text) override { boxes.push_back({"提示", text}); }
  bool askWarning(const std::string& text) override {
    boxes.push_back({"警告", text});
    if (warningAnswers.empty()) return true;
    const bool ok = warningAnswers.front();
    warningAnswers.pop_front();
    return ok;
  }
  // The texts of the warnings asked with Cancel as their default button.
  std::vector<std::string> cautiousWarnings;
  bool askCautiousWarning(const std::string& text) override {
    cautiousWarnings.push_back(text);
    return askWarning(text);
  }
  void portStateChanged(bool open) override { captions[ids::kOpenPort] = OpenButtonCaption(open); }
  void lineSettingsChanged(int baudIndex, int formatIndex) override {
    combos[ids::kBaudRate] = baudIndex;
    combos[ids::kLineFormat] = formatIndex;
  }
  std::optional<std::string> askPort() override { return portAnswer; }
  void showMovedNotice(const std::string& text, const ModuleLine& now) override {
    moved.push_back(now);
    showNotice(text);
  }
  // What the register tools said they read and wrote, in order.
  std::vector<StationRegisters> registersReadSaid;
  std::vector<StationRegisters> registersWrittenSaid;
  void registersRead(const StationRegisters& block) override { registersReadSaid.push_back(block); }
  void registersWritten(const StationRegisters& block) override { registersWrittenSaid.push_back(block); }

  // Presses a control as the window does: its job, bound to the form now, run
  // at once; false for a control without a command.
  bool press(Operations& ops, int controlId) const {
    const Job job = JobFor(controlId, *this);
    if (job) job(ops);
    return static_cast<bool>(job);
  }
  void pause(int ms) override { pausedMs += ms; }  // tests do not wait

  std::vector<std::string> infoTexts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes)
      if (b.kind == "提示") out.push_back(b.text);
    return out;
  }
};

// What most tests start from: the form as the window opens.
inline void SetDefaultFields(FakeConsole& console) {
  const FormValues initial = InitialForm();
  console.fields = initial.fields;
  console.combos = initial.combos;
}
