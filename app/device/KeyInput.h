#pragma once
// One keystroke as the input layer hands it to the program. Keys are stored,
// exchanged and laid out as Windows virtual-key codes, and naming a key also
// needs the PC/AT (set 1) scan code the key sends and whether that code is
// E0-prefixed; platform/input derives all three from the evdev key code.
#include <cstdint>

namespace tessaro {

struct KeyInput {
  uint32_t vk = 0;         // Windows virtual-key code (1 to 254); 0 when the key has none
  uint32_t scan_code = 0;  // set-1 make code, without the E0 prefix
  bool extended = false;   // the key sends its scan code with the E0 prefix
  bool release = false;    // false for a press, auto-repeated presses included
};

}  // namespace tessaro
