// Placeholder until this family is built.
#include "console/control_ids.h"
#include "readers/models.h"

namespace {
void FormatNothing(std::string&, const uint8_t*) {}
}  // namespace

const ReaderModel kReader9VXY{"9VXY", ids::kRead9VXY, 0, 1, nullptr, FormatNothing};
