#include "platform/input/CancelEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform {

CancelEvent::CancelEvent() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelEvent::~CancelEvent() {
  if (fd_ >= 0) close(fd_);
}

void CancelEvent::Signal() {
  const uint64_t one = 1;
  if (fd_ < 0) return;
  // Only a full counter fails, and then a signal is pending anyway.
  [[maybe_unused]] const ssize_t written = write(fd_, &one, sizeof one);
}

void CancelEvent::Reset() {
  uint64_t value = 0;
  if (fd_ < 0) return;
  // EAGAIN when nothing was signalled, which is what resetting wants.
  [[maybe_unused]] const ssize_t got = read(fd_, &value, sizeof value);
}

CancelEvent::Result CancelEvent::Wait(std::span<const int> fds, std::chrono::milliseconds timeout,
                                      std::vector<bool>& ready) {
  ready.assign(fds.size(), false);
  std::vector<pollfd> polled;
  polled.reserve(fds.size() + 1);
  polled.push_back({fd_, POLLIN, 0});
  for (int fd : fds) polled.push_back({fd, POLLIN, 0});
  const int wait_ms = timeout.count() < 0 ? -1 : static_cast<int>(timeout.count());
  int count = 0;
  do {
    count = poll(polled.data(), polled.size(), wait_ms);
  } while (count < 0 && errno == EINTR);
  if (count < 0) return Result::kError;
  if (count == 0) return Result::kTimeout;
  if ((polled[0].revents & POLLIN) != 0) {
    Reset();
    return Result::kCancelled;
  }
  for (size_t i = 0; i < fds.size(); ++i) {
    // A hang-up or error is "ready" too: the read that follows finds out.
    ready[i] = polled[i + 1].revents != 0;
  }
  return Result::kReady;
}

}  // namespace platform
