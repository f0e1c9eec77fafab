// Placeholder until this family is built.
#include "console/control_ids.h"
#include "readers/models.h"

namespace {
void FormatNothing(std::string&, const uint8_t*) {}
}  // namespace

const ReaderModel kReader16RXY{"16RXY", ids::kRead16RXY, 0, 1, nullptr, FormatNothing};
const ReaderModel kReader8RXYZ{"8RXYZ", ids::kRead8RXYZ, 0, 1, nullptr, FormatNothing};
const ReaderModel kReader12RX{"12RX", ids::kRead12RX, 0, 1, nullptr, FormatNothing};
const ReaderModel kReader10RX{"10RX", ids::kRead10RX, 0, 1, nullptr, FormatNothing};
const ReaderModel kReader5RXZ{"5RXZ", ids::kRead5RXZ, 0, 1, nullptr, FormatNothing};
