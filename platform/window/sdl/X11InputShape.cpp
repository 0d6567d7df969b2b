#include "platform/window/sdl/X11InputShape.h"

#include <SDL_syswm.h>
#include <X11/extensions/shape.h>

namespace platform {

bool MakeInputTransparent(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  int event_base = 0;
  int error_base = 0;
  if (!XShapeQueryExtension(display, &event_base, &error_base)) return false;
  XShapeCombineRectangles(display, info.info.x11.window, ShapeInput, 0, 0, nullptr, 0, ShapeSet,
                          Unsorted);
  XFlush(display);
  return true;
}

}  // namespace platform
