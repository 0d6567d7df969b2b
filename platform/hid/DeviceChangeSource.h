#pragma once
// Arrival and removal of HID interfaces, for the UI loop: it polls Fd() for
// reading and then takes the changes. Backends: UdevDeviceChangeSource (a
// libudev monitor on "hidraw") and FakeDeviceChangeSource.
#include <vector>

#include "platform/hid/DeviceChange.h"

namespace platform {

class DeviceChangeSource {
 public:
  virtual ~DeviceChangeSource() = default;
  // A descriptor that becomes readable when changes wait; -1 when the source
  // could not be set up (then no change is ever reported).
  virtual int Fd() const = 0;
  // Every change that waits, oldest first; never blocks.
  virtual std::vector<DeviceChange> TakeChanges() = 0;
};

}  // namespace platform
