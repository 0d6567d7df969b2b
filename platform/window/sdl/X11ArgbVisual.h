#pragma once
// The X server's 32-bit TrueColor visual, which lets a window carry per-pixel
// alpha for a compositing manager to blend.
#include <string>

namespace platform {

// The visual id as SDL's visual hint wants it (hexadecimal), or empty when
// the display is not X11 or offers no 32-bit visual.
std::string FindX11ArgbVisual();

}  // namespace platform
