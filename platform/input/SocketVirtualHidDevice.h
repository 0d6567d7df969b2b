#pragma once
// A virtual device whose packets go into one end of a socketpair and come out
// of the other, for measuring the path to the device without the kernel's
// uhid: ReadPacket blocks until the next packet has been written.
#include "platform/input/VirtualHidDevice.h"

namespace platform {

class SocketVirtualHidDevice final : public VirtualHidDevice {
 public:
  SocketVirtualHidDevice();
  ~SocketVirtualHidDevice() override;
  SocketVirtualHidDevice(const SocketVirtualHidDevice&) = delete;
  SocketVirtualHidDevice& operator=(const SocketVirtualHidDevice&) = delete;

  bool Create(const VirtualHidSpec& description) override;
  bool IsOpen() const override { return open_; }
  bool Write(const HidPacket& packet) override;
  void Destroy() override { open_ = false; }

  // False when the pair could not be made.
  bool ReadPacket(HidPacket& packet);

 private:
  int write_fd_ = -1;
  int read_fd_ = -1;
  bool open_ = false;
};

}  // namespace platform
