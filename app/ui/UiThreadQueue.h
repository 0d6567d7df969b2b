#pragma once
// Work that other threads hand to the UI thread: the device worker's page
// update and window calls. Post queues the work and wakes the UI thread with
// a message to the window; the window runs RunAll when that message arrives.
// Work still queued when the window goes is dropped with the queue.
#include <deque>
#include <functional>
#include <mutex>

namespace tessaro {

class UiThreadQueue {
 public:
  // wake posts the window's message (any thread); false when the window is gone.
  explicit UiThreadQueue(std::function<bool()> wake) : wake_(std::move(wake)) {}

  // Any thread.
  void Post(std::function<void()> work);
  // UI thread: runs what was posted, in order, including work posted meanwhile.
  void RunAll();

 private:
  std::function<bool()> wake_;
  std::mutex mutex_;
  std::deque<std::function<void()>> work_;
};

}  // namespace tessaro
