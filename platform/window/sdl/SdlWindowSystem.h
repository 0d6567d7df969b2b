#pragma once
// The window system on a real display through SDL2.
#include <memory>
#include <string>

#include "platform/window/WindowSystem.h"

namespace platform {

// Null, with SDL's reason in *error, when no display can be opened.
std::unique_ptr<WindowSystem> CreateSdlWindowSystem(std::string* error);

}  // namespace platform
