#pragma once
// A reader writes its report through ReportBuilder: each line that prints a
// measured number records that number as a Quantity in the same call, so the
// text and the values come from one decoding and cannot disagree.
#include <string>
#include <vector>

struct Quantity {
  std::string key;    // stable ASCII name: "ch1.i", "total.p", "uin.f", "r40"
  std::string label;  // in the report's own words: "通道一 电流", "一路电流"
  std::string unit;   // as the report prints or implies it ("A", "kVar", "%"); may be empty
  double value = 0;   // the number exactly as printed (after scaling and rounding)
};

class ReportBuilder {
 public:
  // Quantities go to `quantities` when it is given; the text always to `text`.
  explicit ReportBuilder(std::string& text, std::vector<Quantity>* quantities = nullptr)
      : text_(text), quantities_(quantities) {}

  // Text that carries no measured number: heads, channel names, separators.
  void text(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

  // Text that prints one label, "：" and one number, recorded under `key`. The
  // label is `scope` and the printed words in front of "：" ("->" and runs of
  // blanks read as one space); the value is the number printed after it. So
  // "通道一" with "电流    ：%06.2fA" gives "通道一 电流".
  void quantity(const std::string& key, const std::string& scope, const char* unit, const char* fmt, ...)
      __attribute__((format(printf, 5, 6)));

 private:
  std::string& text_;
  std::vector<Quantity>* quantities_;
};

// "ch<n>.<what>", the key of a channel's (or phase's) quantity, channels from 1.
std::string ChannelKey(int channel, const char* what);
