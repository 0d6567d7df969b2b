#pragma once
// A virtual device for tests and --simulate: records every packet written,
// with the clock's time, and can refuse to be made or vanish as if /dev/uhid
// had closed it.
#include <mutex>
#include <vector>

#include "platform/input/VirtualHidDevice.h"
#include "platform/system/Clock.h"

namespace platform {

struct HidPacketRecord {
  Milliseconds time{0};
  HidPacket packet{};
};

class FakeVirtualHidDevice final : public VirtualHidDevice {
 public:
  explicit FakeVirtualHidDevice(const Clock& clock) : clock_(clock) {}

  bool Create(const VirtualHidSpec& description) override;
  bool IsOpen() const override;
  bool Write(const HidPacket& packet) override;
  void Destroy() override;

  void RefuseCreate(bool refuse);
  // The device disappears: the next write fails and closes it.
  void Vanish();

  std::vector<HidPacketRecord> Records() const;
  void ClearRecords();
  int Creates() const;
  VirtualHidSpec Description() const;

 private:
  const Clock& clock_;
  mutable std::mutex mutex_;
  bool open_ = false;
  bool refuse_ = false;
  bool vanished_ = false;
  int creates_ = 0;
  VirtualHidSpec spec_;
  std::vector<HidPacketRecord> records_;
};

}  // namespace platform
