#pragma once
// Device changes pushed by a test; its descriptor is readable while changes wait.
#include <deque>
#include <mutex>

#include "platform/hid/DeviceChangeSource.h"

namespace platform {

class FakeDeviceChangeSource final : public DeviceChangeSource {
 public:
  FakeDeviceChangeSource();
  ~FakeDeviceChangeSource() override;
  FakeDeviceChangeSource(const FakeDeviceChangeSource&) = delete;
  FakeDeviceChangeSource& operator=(const FakeDeviceChangeSource&) = delete;

  void Push(DeviceChange change);
  int Fd() const override { return fd_; }
  std::vector<DeviceChange> TakeChanges() override;

 private:
  int fd_ = -1;
  std::mutex mutex_;
  std::deque<DeviceChange> changes_;
};

}  // namespace platform
