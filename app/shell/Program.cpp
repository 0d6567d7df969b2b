#include "app/shell/Program.h"

#include <cstdio>

#include "app/link/KeyboardLink.h"
#include "app/shell/Application.h"
#include "app/shell/HeadlessWindow.h"
#include "app/shell/SystemFacilities.h"
#include "app/store/ConfigStore.h"
#include "platform/system/PollEventLoop.h"
#include "platform/system/SimulatedFacilities.h"

namespace tessaro {

int RunProgram(const CommandLine& line) {
  // Before any thread starts, so that every thread leaves the signals to it.
  platform::SignalfdTerminationSignals signals;
  platform::ProcessEnvironment environment;
  platform::SteadyClock clock;
  platform::PollEventLoop loop;

  const std::optional<std::string> simulate =
      line.simulate ? std::optional<std::string>("all") : environment.Get("TESSARO_SIMULATE");
  const bool simulated_keyboard = platform::SimulatesFacility(simulate, "keyboard");
  if (simulated_keyboard) KeyboardLink::UseSimulatedKeyboard();
  SystemFacilities facilities(clock, platform::SimulatesFacility(simulate, "tray"),
                              simulated_keyboard);

  HeadlessWindow window(KeyboardLink::Instance(), clock);
  Application application(ShellContext{environment, clock, loop, signals, facilities,
                                       KeyboardLink::Instance(), ConfigStore::Instance()});
  if (application.StartUp(window) == Application::Start::kOtherInstance) return 0;
  std::fprintf(stderr, "tessaro: %s runs without a window in this build\n",
               application.SoftwareName().c_str());
  return loop.Run([&application] { application.Idle(); });
}

}  // namespace tessaro
