#pragma once
// An empty input shape: the X server hands every click on the window to
// whatever lies below it.
#include <SDL.h>

namespace platform {

// False when the window is not on X11 or the server lacks the shape extension.
bool MakeInputTransparent(SDL_Window* window);

}  // namespace platform
