// The bus file as a user may leave it: any bytes. A refusal names a line inside
// the text; a bus that is accepted is written out and read back as the same bus.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "bus/bus_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  BusFileError error;
  const std::optional<BusFile> bus = ParseBusFile(text, &error);
  if (!bus) {
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (error.line < 1 || error.line > lines || error.what.empty()) std::abort();
    return 0;
  }
  BusFileError again;
  const std::optional<BusFile> reread = ParseBusFile(BusFileText(*bus), &again);
  if (!reread || !(*reread == *bus)) std::abort();
  return 0;
}
