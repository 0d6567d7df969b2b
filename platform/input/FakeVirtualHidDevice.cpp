#include "platform/input/FakeVirtualHidDevice.h"

#include "platform/input/UhidPacket.h"

namespace platform {

bool FakeVirtualHidDevice::Create(const VirtualHidSpec& description) {
  std::lock_guard lock(mutex_);
  open_ = false;
  if (refuse_) return false;
  ++creates_;
  spec_ = description;
  open_ = true;
  vanished_ = false;
  return true;
}

bool FakeVirtualHidDevice::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool FakeVirtualHidDevice::Write(const HidPacket& packet) {
  std::lock_guard lock(mutex_);
  if (!open_) return false;
  if (vanished_) {
    open_ = false;
    return false;
  }
  if (!InputReportOfPacket(packet)) return false;
  records_.push_back({clock_.Now(), packet});
  return true;
}

void FakeVirtualHidDevice::Destroy() {
  std::lock_guard lock(mutex_);
  open_ = false;
}

void FakeVirtualHidDevice::RefuseCreate(bool refuse) {
  std::lock_guard lock(mutex_);
  refuse_ = refuse;
}

void FakeVirtualHidDevice::Vanish() {
  std::lock_guard lock(mutex_);
  vanished_ = true;
}

std::vector<HidPacketRecord> FakeVirtualHidDevice::Records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

void FakeVirtualHidDevice::ClearRecords() {
  std::lock_guard lock(mutex_);
  records_.clear();
}

int FakeVirtualHidDevice::Creates() const {
  std::lock_guard lock(mutex_);
  return creates_;
}

VirtualHidSpec FakeVirtualHidDevice::Description() const {
  std::lock_guard lock(mutex_);
  return spec_;
}

}  // namespace platform
