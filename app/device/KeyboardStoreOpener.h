#pragma once
// The configuration store as the layout loader needs it: each keyboard model
// has its own database, opened when its layout is loaded.
#include <string>

namespace tessaro {

class KeyboardStoreOpener {
 public:
  virtual ~KeyboardStoreOpener() = default;

  // Closes the database that is open, then opens (creating when needed) the
  // one of the keyboard name and remembers the device type there. The name may
  // be empty when no keyboard is served. False when it cannot be opened.
  virtual bool OpenKeyboardStore(const std::string& keyboard_name, int device_type) = 0;
};

}  // namespace tessaro
