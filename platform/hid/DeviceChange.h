#pragma once
// A HID interface that came or went, named by its identity text.
#include <string>

namespace platform {

struct DeviceChange {
  enum class Kind { kArrival, kRemoval };

  Kind kind = Kind::kArrival;
  std::string identity;  // "HID#VID_xxxx&PID_xxxx&MI_xx" (see HidIdentity.h)

  bool operator==(const DeviceChange&) const = default;
};

}  // namespace platform
