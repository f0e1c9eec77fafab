#include "console/local_time.h"

LocalTime LocalTimeOf(std::chrono::system_clock::time_point at) {
  const auto sinceEpoch = std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch());
  const auto seconds = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
  const std::time_t t = static_cast<std::time_t>(seconds.count());
  LocalTime local;
  local.micros = static_cast<int>((sinceEpoch - seconds).count());
#ifdef _WIN32
  localtime_s(&local.fields, &t);
#else
  localtime_r(&t, &local.fields);
#endif
  return local;
}
