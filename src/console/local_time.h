#pragma once
// A wall-clock instant as the user's local time, the one conversion every
// timestamp (trace lines, the traffic window, CSV logs) goes through.
#include <chrono>
#include <ctime>

struct LocalTime {
  std::tm fields{};  // date and time of day, in the local zone
  int micros = 0;    // the fraction of the second
};

LocalTime LocalTimeOf(std::chrono::system_clock::time_point at);
