#pragma once
// Records which keyboard database the layout loader opens, for tests.
#include <string>
#include <vector>

#include "app/device/KeyboardStoreOpener.h"

namespace tessaro {

class FakeKeyboardStoreOpener : public KeyboardStoreOpener {
 public:
  struct Opened {
    std::string keyboard_name;
    int device_type = 0;
    bool operator==(const Opened&) const = default;
  };

  bool OpenKeyboardStore(const std::string& keyboard_name, int device_type) override {
    opened.push_back({keyboard_name, device_type});
    return true;
  }

  std::vector<Opened> opened;
};

}  // namespace tessaro
