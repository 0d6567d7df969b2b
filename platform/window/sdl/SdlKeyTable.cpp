#include "platform/window/sdl/SdlKeyTable.h"

#include <array>
#include <utility>

#include "platform/window/VirtualKeys.h"

namespace platform {

namespace {

constexpr std::pair<SDL_Keycode, int> kKeys[] = {
    {SDLK_BACKSPACE, vk::kBack},
    {SDLK_TAB, vk::kTab},
    {SDLK_CLEAR, vk::kClear},
    {SDLK_RETURN, vk::kReturn},
    {SDLK_LSHIFT, vk::kLShift},
    {SDLK_RSHIFT, vk::kRShift},
    {SDLK_LCTRL, vk::kLControl},
    {SDLK_RCTRL, vk::kRControl},
    {SDLK_LALT, vk::kLMenu},
    {SDLK_RALT, vk::kRMenu},
    {SDLK_PAUSE, vk::kPause},
    {SDLK_CAPSLOCK, vk::kCapital},
    {SDLK_ESCAPE, vk::kEscape},
    {SDLK_SPACE, vk::kSpace},
    {SDLK_PAGEUP, vk::kPrior},
    {SDLK_PAGEDOWN, vk::kNext},
    {SDLK_END, vk::kEnd},
    {SDLK_HOME, vk::kHome},
    {SDLK_LEFT, vk::kLeft},
    {SDLK_UP, vk::kUp},
    {SDLK_RIGHT, vk::kRight},
    {SDLK_DOWN, vk::kDown},
    {SDLK_PRINTSCREEN, vk::kSnapshot},
    {SDLK_INSERT, vk::kInsert},
    {SDLK_DELETE, vk::kDelete},
    {SDLK_LGUI, vk::kLWin},
    {SDLK_RGUI, vk::kRWin},
    {SDLK_APPLICATION, vk::kApps},
    {SDLK_KP_0, vk::kNumpad0},
    {SDLK_KP_1, vk::kNumpad0 + 1},
    {SDLK_KP_2, vk::kNumpad0 + 2},
    {SDLK_KP_3, vk::kNumpad0 + 3},
    {SDLK_KP_4, vk::kNumpad0 + 4},
    {SDLK_KP_5, vk::kNumpad0 + 5},
    {SDLK_KP_6, vk::kNumpad0 + 6},
    {SDLK_KP_7, vk::kNumpad0 + 7},
    {SDLK_KP_8, vk::kNumpad0 + 8},
    {SDLK_KP_9, vk::kNumpad0 + 9},
    {SDLK_KP_MULTIPLY, vk::kMultiply},
    {SDLK_KP_PLUS, vk::kAdd},
    {SDLK_KP_MINUS, vk::kSubtract},
    {SDLK_KP_PERIOD, vk::kDecimal},
    {SDLK_KP_DIVIDE, vk::kDivide},
    {SDLK_KP_ENTER, vk::kReturn},
    {SDLK_NUMLOCKCLEAR, vk::kNumLock},
    {SDLK_SCROLLLOCK, vk::kScroll},
    {SDLK_SEMICOLON, vk::kOem1},
    {SDLK_EQUALS, vk::kOemPlus},
    {SDLK_COMMA, vk::kOemComma},
    {SDLK_MINUS, vk::kOemMinus},
    {SDLK_PERIOD, vk::kOemPeriod},
    {SDLK_SLASH, vk::kOem2},
    {SDLK_BACKQUOTE, vk::kOem3},
    {SDLK_LEFTBRACKET, vk::kOem4},
    {SDLK_BACKSLASH, vk::kOem5},
    {SDLK_RIGHTBRACKET, vk::kOem6},
    {SDLK_QUOTE, vk::kOem7},
    {SDLK_AUDIOMUTE, vk::kVolumeMute},
    {SDLK_VOLUMEDOWN, vk::kVolumeDown},
    {SDLK_VOLUMEUP, vk::kVolumeUp},
    {SDLK_AUDIONEXT, vk::kMediaNextTrack},
    {SDLK_AUDIOPREV, vk::kMediaPrevTrack},
    {SDLK_AUDIOSTOP, vk::kMediaStop},
    {SDLK_AUDIOPLAY, vk::kMediaPlayPause},
    {SDLK_MENU, vk::kApps},
    {SDLK_KP_EQUALS, vk::kOemPlus},
};

}  // namespace

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::kF1 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return vk::kF1 + 12 + (key - SDLK_F13);
  for (const auto& [sdl, virtual_key] : kKeys) {
    if (sdl == key) return virtual_key;
  }
  // A layout without Latin letters (Cyrillic, Greek) still has the keys.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return 'A' + (scancode - SDL_SCANCODE_A);
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return '1' + (scancode - SDL_SCANCODE_1);
  }
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode == SDL_SCANCODE_NONUSBACKSLASH) return vk::kOem102;
  return 0;
}

bool IsExtendedKey(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_DELETE:
    case SDL_SCANCODE_HOME:
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_LEFT:
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_UP:
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_KP_DIVIDE:
    case SDL_SCANCODE_NUMLOCKCLEAR:
    case SDL_SCANCODE_PRINTSCREEN:
      return true;
    default:
      return false;
  }
}

}  // namespace platform
