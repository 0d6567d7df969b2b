#include "platform/window/sdl/X11ArgbVisual.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace platform {

std::string FindX11ArgbVisual() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return {};
  XVisualInfo info{};
  std::string id;
  if (XMatchVisualInfo(display, DefaultScreen(display), 32, TrueColor, &info)) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", info.visualid);
    id = text;
  }
  XCloseDisplay(display);
  return id;
}

}  // namespace platform
