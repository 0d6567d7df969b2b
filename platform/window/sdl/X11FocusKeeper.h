#pragma once
// Showing a window that must never take the keyboard focus. With no window
// manager running, SDL moves the X input focus to every window it shows;
// for tips and popups that would take the focus from the window the user is
// typing in.
#include <SDL.h>

namespace platform {

// SDL_ShowWindow, then the X input focus is put back where it was and the
// focus events of that round trip are dropped, so nobody sees the focus
// leave. On other video drivers simply SDL_ShowWindow.
void ShowWithoutFocus(SDL_Window* window);

}  // namespace platform
