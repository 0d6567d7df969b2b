#pragma once
// The few HID operations the keyboard link relies on. Backends: hidraw through
// hidapi (HidrawBackend), the simulated keyboard (SimulatedKeyboard) and a
// scripted fake for tests (FakeHidBackend).
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/HidDevice.h"
#include "platform/hid/HidInterfaceInfo.h"

namespace platform {

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // Every present HID interface, once per path, without vendor or product filter.
  virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
  // Opens an enumerated interface by its path; null on failure.
  virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
};

}  // namespace platform
