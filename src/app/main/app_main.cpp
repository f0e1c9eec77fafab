// dolvane-console: the window. With --simulate it talks to a bus of simulated
// modules, one of each model, for trying the console without hardware; --lang
// en|zh overrides the system's language.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

#include "app/dolvane_cai_ji_app.h"
#include "console/system_language.h"
#include "dolvane_version.h"
#include "link/standard_fds.h"
#include "models/demo_bus.h"

namespace {

constexpr int kExitUsage = 2;
constexpr const char* kUsage = "usage: dolvane-console [--simulate] [--lang en|zh]\n";

}  // namespace

int main(int argc, char** argv) {
  KeepStandardFdsOpen();  // before the toolkit or a port takes a free number
  // Answered before the toolkit starts, so it works without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("dolvane-console %s\n", kDolvaneVersion);
    return 0;
  }
  QApplication qtApp(argc, argv);  // takes Qt's own options (-platform, ...) first
  bool simulate = false;
  SetLanguage(SystemLanguage());
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--simulate") == 0) {
      simulate = true;
    } else if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc && LanguageNamed(argv[i + 1])) {
      SetLanguage(*LanguageNamed(argv[++i]));
    } else {
      std::fputs(kUsage, stderr);
      return kExitUsage;
    }
  }

  CDolvaneCaiJiApp app(qtApp);
  std::unique_ptr<SimBus> bus;  // lives as long as the window
  PortOffer offer;
  if (simulate) {
    try {
      bus = StartDemoBus();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "dolvane-console: no simulated bus: %s\n", e.what());
      return 1;
    }
    offer = OfferSimulatedBus(*bus);
  }
  return app.run(std::move(offer));
}
