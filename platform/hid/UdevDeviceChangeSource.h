#pragma once
// Device changes from a libudev monitor on subsystem "hidraw". A removed
// device's parents are gone from sysfs by the time the event arrives, so the
// identity of every present hidraw node is remembered from its arrival (or
// from the enumeration at start) and looked up on removal.
#include <map>
#include <memory>
#include <string>

#include "platform/hid/DeviceChangeSource.h"

struct udev;
struct udev_monitor;

namespace platform {

class UdevDeviceChangeSource final : public DeviceChangeSource {
 public:
  UdevDeviceChangeSource();
  ~UdevDeviceChangeSource() override;
  UdevDeviceChangeSource(const UdevDeviceChangeSource&) = delete;
  UdevDeviceChangeSource& operator=(const UdevDeviceChangeSource&) = delete;

  int Fd() const override;
  std::vector<DeviceChange> TakeChanges() override;

 private:
  void RememberPresent();

  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  std::map<std::string, std::string> identities_;  // sys path -> identity text
};

}  // namespace platform
