// Placeholder until this family is built.
#include "console/control_ids.h"
#include "readers/models.h"

namespace {
void FormatNothing(std::string&, const uint8_t*) {}
}  // namespace

const ReaderModel kReader8SXY{"8SXY", ids::kRead8SXY, 0, 1, nullptr, FormatNothing};
