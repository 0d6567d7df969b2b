#pragma once
// A worker thread that runs its body once, or in a loop with a pause of one
// period after each run for as long as it is running. Stop clears the running
// flag and waits for the thread's stop signal. The pause goes through the
// clock; the stop signal is also raised when the body ends on its own.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/system/Clock.h"

namespace tessaro {

class CThreadBasic {
 public:
  explicit CThreadBasic(platform::Clock& clock) : clock_(clock) {}
  virtual ~CThreadBasic();
  CThreadBasic(const CThreadBasic&) = delete;
  CThreadBasic& operator=(const CThreadBasic&) = delete;

  // False, doing nothing, when the thread already runs.
  bool Start(bool loop, platform::Milliseconds period);
  // Clears the running flag and waits up to the timeout for the thread to
  // finish its current run; true when it has ended.
  bool Stop(platform::Milliseconds timeout = platform::Milliseconds(1000));
  bool IsRunning() const;
  // The clock's time at the last start.
  platform::Milliseconds StartedAt() const;

 protected:
  // One run of the thread. Subclasses must call Stop (or let the destructor
  // of this class run after their own Stop) before their members go away.
  virtual void ThreadBody() = 0;

 private:
  void Run();
  void Join();

  platform::Clock& clock_;
  mutable std::mutex mutex_;
  std::condition_variable stopped_signal_;
  bool running_ = false;
  bool stopped_ = true;
  bool loop_ = false;
  platform::Milliseconds period_{0};
  platform::Milliseconds started_at_{0};
  std::mutex join_mutex_;  // held by whoever starts or joins the thread
  std::thread thread_;
};

}  // namespace tessaro
