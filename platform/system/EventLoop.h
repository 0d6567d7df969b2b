#pragma once
// The loop of the UI thread as the shell needs it: descriptors to watch, work
// posted from other threads, and an end with an exit code. The window library
// runs its own loop over the same interface; PollEventLoop serves a run
// without windows and the tests.
#include <functional>

namespace platform {

class EventLoop {
 public:
  virtual ~EventLoop() = default;
  // Calls on_ready on the loop's thread whenever fd is readable; fd < 0 is
  // ignored.
  virtual void Watch(int fd, std::function<void()> on_ready) = 0;
  virtual void Unwatch(int fd) = 0;
  // Runs work on the loop's thread; callable from any thread.
  virtual void Post(std::function<void()> work) = 0;
  // Ends Run with the code once the current callback returns. On the loop's
  // thread; another thread posts it.
  virtual void Quit(int exit_code) = 0;
};

}  // namespace platform
