#include "app/shell/Program.h"

#include <cstdio>
#include <memory>

#include "app/link/KeyboardLink.h"
#include "app/shell/Application.h"
#include "app/shell/HeadlessWindow.h"
#include "app/shell/SystemFacilities.h"
#include "app/store/ConfigStore.h"
#include "app/ui/KeyboardDlg.h"
#include "platform/system/PollEventLoop.h"
#include "platform/system/ProgramRunner.h"
#include "platform/system/SimulatedFacilities.h"
#include "platform/window/WindowEventLoop.h"
#include "uilib/core/Manager.h"

namespace tessaro {

namespace {

// Everything a run needs besides the window and its loop.
struct RunBase {
  platform::SignalfdTerminationSignals& signals;
  platform::ProcessEnvironment& environment;
  platform::SteadyClock& clock;
  SystemFacilities& facilities;
};

// The desktop's Alt+F4 is dropped while both keys are held; the window's
// close goes through its own close behaviour instead.
class AltF4Filter final : public platform::LoopHooks {
 public:
  bool PreTranslate(const platform::Message& message) override {
    return tumi::Manager::PreTranslateMessage(message) != 0;
  }
};

// A window system on a real display; null without one, so the program runs
// without a window. SDL would fall back to an invisible off-screen driver
// where there is no display, so the display is looked for first.
std::unique_ptr<platform::WindowSystem> OpenDisplay(platform::Environment& environment) {
  const auto has = [&](const char* name) {
    const std::optional<std::string> value = environment.Get(name);
    return value && !value->empty();
  };
  if (!has("DISPLAY") && !has("WAYLAND_DISPLAY")) return nullptr;
  std::string error;
  std::unique_ptr<platform::WindowSystem> system = platform::CreateWindowSystem("", &error);
  if (!system) std::fprintf(stderr, "tessaro: cannot open the display: %s\n", error.c_str());
  if (system && system->BackendName() == "headless") return nullptr;
  return system;
}

int RunWithoutWindow(RunBase& base) {
  platform::PollEventLoop loop;
  HeadlessWindow window(KeyboardLink::Instance(), base.clock);
  Application application(ShellContext{base.environment, base.clock, loop, base.signals,
                                       base.facilities, KeyboardLink::Instance(),
                                       ConfigStore::Instance()});
  switch (application.StartUp(window)) {
    case Application::Start::kOtherInstance:
      return 0;
    case Application::Start::kDriversMissing:
      return DriverInstaller::kInstallFailedExitCode;
    case Application::Start::kRunning:
      break;
  }
  std::fprintf(stderr, "tessaro: %s runs without a window (no display)\n",
               application.SoftwareName().c_str());
  return loop.Run([&application] { application.Idle(); });
}

int RunWithWindow(RunBase& base, platform::WindowSystem& system) {
  tumi::Manager::SetWindowSystem(&system);
  int code = 0;
  {
    platform::WindowEventLoop loop(system);
    platform::SpawnProgramRunner runner;
    KeyboardDlg window(KeyboardLink::Instance(), base.clock, &runner);
    // What the window shows, for the end-to-end tests.
    if (base.environment.Get("TESSARO_TRACE")) window.SetTrace(stderr);
    Application application(ShellContext{base.environment, base.clock, loop, base.signals,
                                         base.facilities, KeyboardLink::Instance(),
                                         ConfigStore::Instance()});
    window.AttachShell(&application);
    switch (application.StartUp(window)) {
      case Application::Start::kOtherInstance:
        break;
      case Application::Start::kDriversMissing:
        code = DriverInstaller::kInstallFailedExitCode;
        break;
      case Application::Start::kRunning: {
        AltF4Filter filter;
        code =
            loop.Run([&application] { application.Idle(); }, platform::Milliseconds(250), &filter);
        application.Exit();
        break;
      }
    }
    window.AttachShell(nullptr);
  }
  tumi::Manager::SetWindowSystem(nullptr);
  return code;
}

}  // namespace

int RunProgram(const CommandLine& line) {
  // Before any thread starts, so that every thread leaves the signals to it.
  platform::SignalfdTerminationSignals signals;
  platform::ProcessEnvironment environment(
      line.simulate ? std::map<std::string, std::string>{{"TESSARO_SIMULATE", "all"}}
                    : std::map<std::string, std::string>{});
  platform::SteadyClock clock;

  const std::optional<std::string> simulate = environment.Get("TESSARO_SIMULATE");
  const bool simulated_keyboard = platform::SimulatesFacility(simulate, "keyboard");
  if (simulated_keyboard) KeyboardLink::UseSimulatedKeyboard();
  SystemFacilities facilities(clock, environment,
                              {.tray = platform::SimulatesFacility(simulate, "tray"),
                               .keyboard = simulated_keyboard,
                               .input = platform::SimulatesFacility(simulate, "input")});
  RunBase base{signals, environment, clock, facilities};

  std::unique_ptr<platform::WindowSystem> display = OpenDisplay(environment);
  if (!display) return RunWithoutWindow(base);
  return RunWithWindow(base, *display);
}

}  // namespace tessaro
