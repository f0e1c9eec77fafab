// The reply path of every operation, with the fuzzer as the module and the
// user (fuzz_port.h): one input opens the port and presses a few buttons of the
// command table in turn. The port checks every frame sent; each command starts
// with a fresh watch, so a warning declined in one does not bar the next.
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_input.h"
#include "fuzz_port.h"
#include "layout/form_model.h"
#include "operations/operations.h"

namespace {

constexpr int kMaxCommands = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  FuzzWatch watch;
  FuzzConsole console(in, watch);
  Operations ops(console, std::make_unique<FuzzPort>(in, watch));
  ops.InitLinkDefaults();
  ops.OnBnClickedOpenPort();
  const std::vector<Command>& table = CommandTable();
  for (int i = 0; i < kMaxCommands && !in.empty(); ++i) {
    watch = FuzzWatch{};
    table[in.range(0, table.size() - 1)].bind(console)(ops);
  }
  return 0;
}
