#include "cli/commission_command.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <thread>

#include "cli/cli.h"
#include "cli/stop_signals.h"
#include "commissioning/commission.h"
#include "console/text.h"
#include "discovery/probe.h"
#include "models/model_registry.h"
#include "operations/operations.h"
#include "console/texts.h"

std::optional<CommissionCommand> ParseCommissionCommand(const std::string& operation,
                                                        const std::vector<std::string>& args, std::string* problem) {
  if (operation != "commission") return std::nullopt;
  auto fail = [&](const std::string& text) {
    *problem = text;
    return std::nullopt;
  };
  CommissionCommand command;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) return fail(option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--first-station") {
      const std::optional<uint64_t> station = WholeNumber(value, kLastStation);
      if (!station || *station <= kFirstStation) return fail("--first-station takes a station from 2 to 247");
      command.firstStation = static_cast<int>(*station);
    } else if (option == "--model") {
      for (size_t start = 0; start <= value.size();) {
        const size_t comma = std::min(value.find(',', start), value.size());
        const std::string name = value.substr(start, comma - start);
        const ModelEntry* model = FindModel(name);
        if (!model) return fail("unknown model " + name);
        command.models.push_back(model);
        start = comma + 1;
      }
    } else if (option == "--count") {
      const std::optional<uint64_t> count = WholeNumber(value, kLastStation);
      if (!count || *count == 0) return fail("--count takes a number of modules from 1");
      command.count = static_cast<int>(*count);
    } else if (option == "--wait") {
      const std::optional<uint64_t> seconds = WholeNumber(value, 3600);
      if (!seconds) return fail("--wait takes seconds, 0 to 3600");
      command.wait = std::chrono::seconds(*seconds);
    } else {
      return fail("unknown commission option " + option);
    }
  }
  return command;
}

namespace {

std::string Ask(std::istream& in, std::ostream& out, const std::string& prompt) {
  out << prompt << std::flush;
  std::string line;
  if (!std::getline(in, line)) return "q";
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// Polls the factory settings until a module answers, the time is up or a signal came.
bool WaitForModule(Operations& ops, std::chrono::seconds wait) {
  const auto until = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (ModuleAtFactorySettings(ops.context())) return true;
    if (StopRequested() || std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

const ModelEntry* ExpectedModel(const CommissionCommand& command, int done) {
  if (command.models.empty()) return nullptr;
  return command.models[std::min<size_t>(static_cast<size_t>(done), command.models.size() - 1)];
}

}  // namespace

int RunCommissionCommand(const CommissionCommand& command, BusFile& bus, const std::string& path, Operations& ops,
                         bool interactive, std::istream& in, std::ostream& out, std::ostream& err) {
  int done = 0;
  while (command.count == 0 || done < command.count) {
    const int station = NextFreeStation(bus, command.firstStation);
    if (station == 0) {
      err << "commission: no free station is left on the bus\n";
      return kExitErrorBox;
    }
    if (interactive) {
      const std::string answer =
          Ask(in, out, Tr("cli", "插上下一个出厂设置的模块（站号 1，9600 N,8,1）后按回车，它将成为站号 ") +
                           std::to_string(station) + Tr("cli", "；输入 q 结束："));
      if (answer == "q") break;
    } else if (!WaitForModule(ops, command.wait)) {
      err << "commission: no module answered at the factory settings within " << command.wait.count() << " s\n";
      break;
    }
    CommissionRequest request{station, ExpectedModel(command, done), {}};
    if (interactive && !request.expected) {
      const std::string name = Ask(in, out, Tr("cli", "型号（回车：按第 0 号寄存器判别）："));
      request.expected = name.empty() ? nullptr : FindModel(name);
      if (!name.empty() && !request.expected) {
        err << "commission: unknown model " << name << '\n';
        continue;
      }
    }
    if (interactive) request.name = Ask(in, out, Tr("cli", "名称（回车：") + DefaultModuleName(station) + Tr("cli", "）："));
    for (;;) {
      const CommissionResult result = CommissionModule(ops.context(), bus, request);
      for (const std::string& step : result.steps) out << step << '\n';
      if (result.ok) {
        std::string problem;
        if (!AddCommissionedModule(bus, path, result.module, &problem)) {
          err << "dolvane-cli: " << problem << '\n';
          return kExitErrorBox;
        }
        out << CommissionAddedText(result.module, path) << '\n';
        ++done;
        break;
      }
      err << "commission: station " << station << ": " << result.failure << '\n';
      if (!interactive) return kExitErrorBox;
      const std::string answer = Ask(in, out, Tr("cli", "输入 r 重试，s 跳过此模块，q 结束："));
      if (answer == "r") continue;
      if (answer == "s") break;
      return kExitErrorBox;
    }
    if (StopRequested()) break;
  }
  out << done << Tr("cli", " 个模块已调试。\n");
  // A script that asked for N modules learns that fewer came.
  return command.count != 0 && done < command.count ? kExitErrorBox : kExitDone;
}
