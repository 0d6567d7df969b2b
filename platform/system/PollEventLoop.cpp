#include "platform/system/PollEventLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace platform {

PollEventLoop::PollEventLoop() : wake_fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

PollEventLoop::~PollEventLoop() {
  if (wake_fd_ >= 0) close(wake_fd_);
}

void PollEventLoop::Watch(int fd, std::function<void()> on_ready) {
  if (fd >= 0) watches_[fd] = std::move(on_ready);
}

void PollEventLoop::Unwatch(int fd) {
  watches_.erase(fd);
}

void PollEventLoop::Post(std::function<void()> work) {
  {
    std::lock_guard lock(posted_mutex_);
    posted_.push_back(std::move(work));
  }
  const uint64_t one = 1;
  if (wake_fd_ >= 0 && write(wake_fd_, &one, sizeof one) < 0) return;
}

void PollEventLoop::Quit(int exit_code) {
  if (!exit_code_) exit_code_ = exit_code;
}

void PollEventLoop::RunPosted() {
  uint64_t count = 0;
  if (wake_fd_ >= 0 && read(wake_fd_, &count, sizeof count) < 0) count = 0;
  std::deque<std::function<void()>> work;
  {
    std::lock_guard lock(posted_mutex_);
    work.swap(posted_);
  }
  for (auto& item : work) item();
}

bool PollEventLoop::RunOnce(Milliseconds wait) {
  if (exit_code_) return false;
  std::vector<pollfd> fds;
  fds.push_back({wake_fd_, POLLIN, 0});
  for (const auto& [fd, callback] : watches_) fds.push_back({fd, POLLIN, 0});
  const int ready = poll(fds.data(), fds.size(), static_cast<int>(wait.count()));
  if (ready < 0 && errno != EINTR) return !exit_code_;
  if (fds[0].revents != 0) RunPosted();
  for (size_t i = 1; i < fds.size() && !exit_code_; ++i) {
    if (fds[i].revents == 0) continue;
    // A callback may unwatch itself or others.
    auto watch = watches_.find(fds[i].fd);
    if (watch == watches_.end()) continue;
    const std::function<void()> callback = watch->second;
    callback();
    // A descriptor that hung up or failed stays "ready" for ever: its owner
    // was told once, and watching it longer would only spin.
    if ((fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) watches_.erase(fds[i].fd);
  }
  return !exit_code_;
}

int PollEventLoop::Run(std::function<void()> on_idle, Milliseconds idle_period) {
  while (RunOnce(idle_period)) {
    if (on_idle) on_idle();
  }
  RunPosted();  // work posted on the way out, such as the worker's last calls
  return *exit_code_;
}

}  // namespace platform
