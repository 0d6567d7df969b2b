#pragma once
// SDL key codes to the virtual-key codes the UI expects.
#include <SDL.h>

namespace platform {

// The virtual key for a key event: by key code, so letters follow the
// keyboard layout; by scan code for letter and digit keys whose layout gives
// no Latin character. 0 for keys without a virtual key.
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

// Right-hand modifiers, the navigation block, and keypad Enter and divide
// carry the extended bit in key messages.
bool IsExtendedKey(SDL_Scancode scancode);

}  // namespace platform
