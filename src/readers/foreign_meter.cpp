// Placeholder until this family is built.
#include "console/control_ids.h"
#include "readers/models.h"

namespace {
void FormatNothing(std::string&, const uint8_t*) {}
}  // namespace

const ReaderModel kReaderForeignMeter{"foreign", ids::kReadForeignMeter, 0, 1, nullptr, FormatNothing};
