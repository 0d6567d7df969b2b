#pragma once
// The real backend: hidapi's hidraw implementation. hidapi lists one entry per
// top-level collection; they are merged into one interface per path. When
// hidapi knows no interface number (uhid devices have no USB parent) it is
// taken from the "inputN" end of the device's HID_PHYS.
#include "platform/hid/HidBackend.h"

namespace platform {

class HidrawBackend final : public HidBackend {
 public:
  HidrawBackend();
  ~HidrawBackend() override;
  HidrawBackend(const HidrawBackend&) = delete;
  HidrawBackend& operator=(const HidrawBackend&) = delete;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;

 private:
  bool initialised_ = false;
};

}  // namespace platform
