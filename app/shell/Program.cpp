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
  platform::ProcessEnvironment environment(
      line.simulate ? std::map<std::string, std::string>{{"TESSARO_SIMULATE", "all"}}
                    : std::map<std::string, std::string>{});
  platform::SteadyClock clock;
  platform::PollEventLoop loop;

  const std::optional<std::string> simulate = environment.Get("TESSARO_SIMULATE");
  const bool simulated_keyboard = platform::SimulatesFacility(simulate, "keyboard");
  if (simulated_keyboard) KeyboardLink::UseSimulatedKeyboard();
  SystemFacilities facilities(clock, environment,
                              {.tray = platform::SimulatesFacility(simulate, "tray"),
                               .keyboard = simulated_keyboard,
                               .input = platform::SimulatesFacility(simulate, "input")});

  HeadlessWindow window(KeyboardLink::Instance(), clock);
  Application application(ShellContext{environment, clock, loop, signals, facilities,
                                       KeyboardLink::Instance(), ConfigStore::Instance()});
  switch (application.StartUp(window)) {
    case Application::Start::kOtherInstance:
      return 0;
    case Application::Start::kDriversMissing:
      return DriverInstaller::kInstallFailedExitCode;
    case Application::Start::kRunning:
      break;
  }
  std::fprintf(stderr, "tessaro: %s runs without a window in this build\n",
               application.SoftwareName().c_str());
  return loop.Run([&application] { application.Idle(); });
}

}  // namespace tessaro
