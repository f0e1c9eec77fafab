// Placeholder until this family is built.
#include "console/control_ids.h"
#include "readers/models.h"

namespace {
void FormatNothing(std::string&, const uint8_t*) {}
}  // namespace

const ReaderModel kReader5UZ{"5UZ", ids::kRead5UZ, 0, 1, nullptr, FormatNothing};
