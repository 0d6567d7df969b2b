#include "platform/window/sdl/SdlWindowSystem.h"

#include "platform/window/HighRateTimer.h"
#include "platform/window/WindowCore.h"
#include "platform/window/sdl/SdlBackend.h"

namespace platform {

std::unique_ptr<WindowSystem> CreateSdlWindowSystem(std::string* error) {
  auto backend = std::make_unique<SdlBackend>();
  if (!backend->Open(error)) return nullptr;
  return std::make_unique<WindowCore>(std::move(backend), std::make_unique<HighRateTimer>(),
                                      std::make_unique<SteadyClock>());
}

}  // namespace platform
