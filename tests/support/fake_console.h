#pragma once
// A scripted Console for tests: fields and combos are set up front, every box
// is recorded, warning answers come from a queue (OK when it runs dry).
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/control_ids.h"

class FakeConsole : public Console {
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
  int pausedMs = 0;
  int repaints = 0;

  std::string fieldText(int id) override { return fields[id]; }
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
  int comboSelection(int id) override { return combos[id]; }
  void setComboSelection(int id, int index) override { combos[id] = index; }
  void setButtonCaption(int id, const std::string& caption) override { captions[id] = caption; }
  std::optional<std::string> askPort() override { return portAnswer; }
  void repaint() override { ++repaints; }
  void pause(int ms) override { pausedMs += ms; }  // tests do not wait

  std::vector<std::string> infoTexts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes)
      if (b.kind == "提示") out.push_back(b.text);
    return out;
  }
};

// What most tests start from: station 1 in both station fields, 9600 and "N,8,1"
// in both pairs of combo boxes.
inline void SetDefaultFields(FakeConsole& console) {
  console.fields[ids::kStation] = "1";
  console.fields[ids::kNewStation] = "1";
  console.combos[ids::kBaudRate] = 3;
  console.combos[ids::kLineFormat] = 0;
  console.combos[ids::kNewBaud] = 3;
  console.combos[ids::kNewFormat] = 0;
}
