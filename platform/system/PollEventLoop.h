#pragma once
// An EventLoop over poll(2), woken by an eventfd for posted work.
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "platform/system/Clock.h"
#include "platform/system/EventLoop.h"

namespace platform {

class PollEventLoop final : public EventLoop {
 public:
  PollEventLoop();
  ~PollEventLoop() override;
  PollEventLoop(const PollEventLoop&) = delete;
  PollEventLoop& operator=(const PollEventLoop&) = delete;

  void Watch(int fd, std::function<void()> on_ready) override;
  void Unwatch(int fd) override;
  void Post(std::function<void()> work) override;
  void Quit(int exit_code) override;

  // Runs until Quit; its code. on_idle, when set, runs at least every
  // idle_period (for libraries that keep their own timeouts).
  int Run(std::function<void()> on_idle = {}, Milliseconds idle_period = Milliseconds(250));
  // Runs what is ready now without waiting; false once Quit was called.
  bool RunOnce(Milliseconds wait = Milliseconds(0));

 private:
  void RunPosted();

  int wake_fd_ = -1;
  std::map<int, std::function<void()>> watches_;
  std::mutex posted_mutex_;
  std::deque<std::function<void()>> posted_;
  std::optional<int> exit_code_;
};

}  // namespace platform
