#pragma once
// The shell's EventLoop on the window system's message loop, for a run with
// windows. Descriptors are polled on a helper thread that posts to the UI
// thread; a reported descriptor is not polled again until its callback has
// run there, so one that stays readable is not reported again before its
// owner had a chance to read, while the others are still heard during a
// callback that runs a modal loop.
// Posted work and readiness reach a hidden window of the loop's own, because
// the modal loops of dialogs drop messages that name no window.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/system/EventLoop.h"
#include "platform/window/WindowSystem.h"

namespace platform {

class WindowEventLoop final : public EventLoop, private MessageHandler {
 public:
  // Private messages of the loop's hidden window.
  static constexpr std::uint32_t kMsgPostedWork = 0x7E10;
  static constexpr std::uint32_t kMsgDescriptorsReady = 0x7E11;
  static constexpr std::uintptr_t kIdleTimer = 1;

  // On the UI thread; the system must outlive the loop.
  explicit WindowEventLoop(WindowSystem& system);
  ~WindowEventLoop() override;
  WindowEventLoop(const WindowEventLoop&) = delete;
  WindowEventLoop& operator=(const WindowEventLoop&) = delete;

  void Watch(int fd, std::function<void()> on_ready) override;
  void Unwatch(int fd) override;
  void Post(std::function<void()> work) override;
  void Quit(int exit_code) override;

  // Runs the window system's loop until Quit; its code. on_idle, when set,
  // runs every idle_period; hooks see every message of the loop.
  int Run(std::function<void()> on_idle = {}, Milliseconds idle_period = Milliseconds(250),
          LoopHooks* hooks = nullptr);

 private:
  std::intptr_t OnMessage(const Message& message) override;
  void RunPosted();
  void RunReady();
  void PollThread();
  void Wake();

  WindowSystem& system_;
  WindowId window_ = kNoWindow;
  std::function<void()> on_idle_;
  // UI thread only.
  std::map<int, std::function<void()>> watches_;

  std::mutex mutex_;
  std::condition_variable handled_;
  std::set<int> polled_;         // what the poll thread watches
  std::set<int> ready_;          // reported, waiting for the UI thread
  std::set<int> hung_up_;        // reported with an error or hang-up
  std::set<int> resting_;        // their callbacks are running: not polled
  bool waiting_for_ui_ = false;  // the poll thread waits until ready_ is handled
  bool stopping_ = false;
  std::deque<std::function<void()>> posted_;
  int wake_fd_ = -1;
  std::thread poller_;
};

}  // namespace platform
