#include "platform/system/FakeInstanceChannel.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

FakeInstanceChannel::FakeInstanceChannel() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FakeInstanceChannel::~FakeInstanceChannel() {
  if (fd_ >= 0) close(fd_);
}

bool FakeInstanceChannel::SendToRunning(const std::string& line) {
  sent.push_back(line);
  return reachable;
}

void FakeInstanceChannel::Deliver(const std::string& line) {
  std::lock_guard lock(mutex_);
  lines_.push_back(line);
  const uint64_t one = 1;
  if (fd_ >= 0 && write(fd_, &one, sizeof one) < 0) return;
}

std::vector<std::string> FakeInstanceChannel::TakeLines() {
  std::lock_guard lock(mutex_);
  uint64_t count = 0;
  if (fd_ >= 0 && read(fd_, &count, sizeof count) < 0) count = 0;
  std::vector<std::string> taken(lines_.begin(), lines_.end());
  lines_.clear();
  return taken;
}

}  // namespace platform
