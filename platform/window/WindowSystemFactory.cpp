#include <cstdlib>

#include "platform/window/WindowSystem.h"
#include "platform/window/headless/HeadlessWindowSystem.h"
#include "platform/window/sdl/SdlWindowSystem.h"

namespace platform {

std::vector<std::string> WindowBackendNames() {
  return {"sdl", "headless"};
}

std::unique_ptr<WindowSystem> CreateWindowSystem(std::string_view name, std::string* error) {
  std::string chosen(name);
  if (chosen.empty()) {
    const char* env = std::getenv("TESSARO_WINDOW_BACKEND");
    chosen = env && *env ? env : "sdl";
  }
  if (chosen == "headless") return HeadlessWindowSystem::Make();
  if (chosen == "sdl") return CreateSdlWindowSystem(error);
  if (error) *error = "unknown window backend \"" + chosen + "\" (sdl, headless)";
  return nullptr;
}

}  // namespace platform
