#include "platform/window/sdl/X11FocusKeeper.h"

#include <SDL_syswm.h>

namespace platform {

namespace {

struct FocusPair {
  Window shown;
  Window previous;
};

Bool IsRoundTripFocusEvent(Display*, XEvent* event, XPointer arg) {
  const auto* pair = reinterpret_cast<const FocusPair*>(arg);
  if (event->type != FocusIn && event->type != FocusOut) return False;
  const Window w = event->xfocus.window;
  return w == pair->shown || (pair->previous > PointerRoot && w == pair->previous) ? True : False;
}

}  // namespace

void ShowWithoutFocus(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
    SDL_ShowWindow(window);
    return;
  }
  Display* display = info.info.x11.display;
  Window previous = 0;
  int revert = RevertToParent;
  XGetInputFocus(display, &previous, &revert);
  SDL_ShowWindow(window);
  XSync(display, False);
  Window now = 0;
  int now_revert = 0;
  XGetInputFocus(display, &now, &now_revert);
  FocusPair pair{info.info.x11.window, previous};
  if (now != pair.shown || previous == pair.shown) return;
  XSetInputFocus(display, previous, revert, CurrentTime);
  XSync(display, False);
  XEvent event;
  while (XCheckIfEvent(display, &event, IsRoundTripFocusEvent, reinterpret_cast<XPointer>(&pair))) {
  }
}

}  // namespace platform
