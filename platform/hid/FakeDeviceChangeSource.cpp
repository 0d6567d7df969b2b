#include "platform/hid/FakeDeviceChangeSource.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

FakeDeviceChangeSource::FakeDeviceChangeSource() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FakeDeviceChangeSource::~FakeDeviceChangeSource() {
  if (fd_ >= 0) close(fd_);
}

void FakeDeviceChangeSource::Push(DeviceChange change) {
  std::lock_guard lock(mutex_);
  changes_.push_back(std::move(change));
  const uint64_t one = 1;
  // A counter that can take no more is readable all the same.
  if (fd_ >= 0 && write(fd_, &one, sizeof one) < 0) return;
}

std::vector<DeviceChange> FakeDeviceChangeSource::TakeChanges() {
  std::lock_guard lock(mutex_);
  uint64_t count = 0;
  // Empties the counter; a counter that is already empty fails with EAGAIN.
  if (fd_ >= 0 && read(fd_, &count, sizeof count) < 0) count = 0;
  std::vector<DeviceChange> taken(changes_.begin(), changes_.end());
  changes_.clear();
  return taken;
}

}  // namespace platform
