#include "platform/window/WindowEventLoop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "platform/window/MessageIds.h"

namespace platform {

WindowEventLoop::WindowEventLoop(WindowSystem& system)
    : system_(system), wake_fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  WindowParams params;
  params.title = "Tessaro event loop";
  params.bounds = Rect{0, 0, 1, 1};
  params.style = kStylePopup | kStyleNoActivate;
  params.handler = this;
  window_ = system_.Create(params);
  poller_ = std::thread([this] { PollThread(); });
}

WindowEventLoop::~WindowEventLoop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  handled_.notify_all();
  Wake();
  poller_.join();
  if (window_ != kNoWindow) system_.Destroy(window_);
  if (wake_fd_ >= 0) close(wake_fd_);
}

void WindowEventLoop::Wake() {
  const std::uint64_t one = 1;
  if (wake_fd_ >= 0 && write(wake_fd_, &one, sizeof one) < 0) return;
}

void WindowEventLoop::Watch(int fd, std::function<void()> on_ready) {
  if (fd < 0) return;
  watches_[fd] = std::move(on_ready);
  {
    std::lock_guard lock(mutex_);
    polled_.insert(fd);
  }
  Wake();
}

void WindowEventLoop::Unwatch(int fd) {
  watches_.erase(fd);
  {
    std::lock_guard lock(mutex_);
    polled_.erase(fd);
  }
  Wake();
}

void WindowEventLoop::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(work));
  }
  system_.Post(window_, kMsgPostedWork);
}

void WindowEventLoop::Quit(int exit_code) {
  system_.PostQuit(exit_code);
}

int WindowEventLoop::Run(std::function<void()> on_idle, Milliseconds idle_period,
                         LoopHooks* hooks) {
  on_idle_ = std::move(on_idle);
  if (on_idle_) system_.SetTimer(window_, kIdleTimer, idle_period);
  const LoopResult result = system_.RunLoop(hooks);
  if (system_.IsWindow(window_)) system_.KillTimer(window_, kIdleTimer);
  on_idle_ = nullptr;
  RunPosted();  // work posted on the way out, such as the worker's last calls
  return result.end == LoopEnd::kError ? 1 : result.code;
}

std::intptr_t WindowEventLoop::OnMessage(const Message& message) {
  switch (message.message) {
    case kMsgPostedWork:
      RunPosted();
      return 0;
    case kMsgDescriptorsReady:
      RunReady();
      return 0;
    case msg::kTimer:
      if (message.wparam == kIdleTimer && on_idle_) on_idle_();
      return 0;
    case msg::kClose:
      return 0;  // the loop's window lives as long as the loop
    default:
      return system_.DefaultHandling(message);
  }
}

void WindowEventLoop::RunPosted() {
  // One at a time: work that runs a modal loop leaves the rest to the loops
  // inside it rather than holding it back.
  for (;;) {
    std::function<void()> next;
    {
      std::lock_guard lock(mutex_);
      if (posted_.empty()) return;
      next = std::move(posted_.front());
      posted_.pop_front();
    }
    next();
  }
}

void WindowEventLoop::RunReady() {
  std::set<int> ready;
  std::set<int> hung_up;
  {
    std::lock_guard lock(mutex_);
    ready.swap(ready_);
    hung_up.swap(hung_up_);
  }
  // The other descriptors are watched again at once: a callback may run a
  // modal loop (a dialog), and the program must still hear its socket and
  // signals meanwhile. Each ready one rests until its own callback returned.
  {
    std::lock_guard lock(mutex_);
    resting_.insert(ready.begin(), ready.end());
    waiting_for_ui_ = false;
  }
  handled_.notify_all();
  for (int fd : ready) {
    // A callback may unwatch itself or others.
    auto watch = watches_.find(fd);
    if (watch != watches_.end()) {
      const std::function<void()> callback = watch->second;
      callback();
      // A descriptor that hung up or failed stays "ready" for ever: its
      // owner was told once, and watching it longer would only spin.
      if (hung_up.count(fd) != 0) Unwatch(fd);
    }
    {
      std::lock_guard lock(mutex_);
      resting_.erase(fd);
    }
    Wake();
  }
}

void WindowEventLoop::PollThread() {
  for (;;) {
    std::vector<pollfd> fds;
    fds.push_back({wake_fd_, POLLIN, 0});
    {
      std::unique_lock lock(mutex_);
      handled_.wait(lock, [this] { return stopping_ || !waiting_for_ui_; });
      if (stopping_) return;
      for (int fd : polled_) {
        if (resting_.count(fd) == 0) fds.push_back({fd, POLLIN, 0});
      }
    }
    const int count = poll(fds.data(), fds.size(), -1);
    if (count < 0 && errno != EINTR) return;
    if (fds[0].revents != 0) {
      std::uint64_t ignored = 0;
      if (read(wake_fd_, &ignored, sizeof ignored) < 0) ignored = 0;
    }
    std::set<int> ready;
    std::set<int> hung_up;
    for (size_t i = 1; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      ready.insert(fds[i].fd);
      if ((fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) hung_up.insert(fds[i].fd);
    }
    if (ready.empty()) continue;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      ready_ = std::move(ready);
      hung_up_ = std::move(hung_up);
      waiting_for_ui_ = true;
    }
    if (!system_.Post(window_, kMsgDescriptorsReady)) return;  // the window went: nobody reads
  }
}

}  // namespace platform
