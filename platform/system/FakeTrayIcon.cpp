#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

#include "platform/system/TrayIcon.h"

namespace platform {

FakeTrayIcon::FakeTrayIcon() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FakeTrayIcon::~FakeTrayIcon() {
  if (fd_ >= 0) close(fd_);
}

bool FakeTrayIcon::Add(const TrayIconData& icon) {
  ++adds;
  data = icon;
  present = host_available;
  return present;
}

void FakeTrayIcon::Remove() {
  if (present) ++removes;
  present = false;
}

void FakeTrayIcon::Push(TrayEvent event) {
  pending_.push_back(event);
  const uint64_t one = 1;
  if (fd_ >= 0 && write(fd_, &one, sizeof one) < 0) return;
}

std::vector<TrayEvent> FakeTrayIcon::Dispatch() {
  uint64_t count = 0;
  if (fd_ >= 0 && read(fd_, &count, sizeof count) < 0) count = 0;
  std::vector<TrayEvent> taken;
  taken.swap(pending_);
  return taken;
}

}  // namespace platform
