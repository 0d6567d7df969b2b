#pragma once
// The virtual device as a /dev/uhid device. Creating it waits (up to a
// second) for the kernel to start it, since input reports written before that
// are refused.
#include "platform/input/VirtualHidDevice.h"

namespace platform {

class UhidDevice final : public VirtualHidDevice {
 public:
  UhidDevice() = default;
  ~UhidDevice() override;
  UhidDevice(const UhidDevice&) = delete;
  UhidDevice& operator=(const UhidDevice&) = delete;

  bool Create(const VirtualHidSpec& description) override;
  bool IsOpen() const override { return fd_ >= 0; }
  bool Write(const HidPacket& packet) override;
  void Destroy() override;

 private:
  int fd_ = -1;
};

}  // namespace platform
