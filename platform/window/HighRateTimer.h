#pragma once
// The dialog timer on one thread of its own, for every periodic timer of the
// process. Ticks run on that thread, one at a time, so a tick must not wait
// for the UI thread (post or invalidate instead of sending).
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/window/DialogTimer.h"

namespace platform {

class HighRateTimer final : public DialogTimer {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;

  HighRateTimer() = default;
  ~HighRateTimer() override;
  HighRateTimer(const HighRateTimer&) = delete;
  HighRateTimer& operator=(const HighRateTimer&) = delete;

  int Start(Milliseconds period, Tick tick) override;
  bool Stop(int timer_id) override;
  void StopAll() override;
  bool IsRunning(int timer_id) const override;

  // The first deadline start + n x period (n >= 1) that lies after now.
  static TimePoint NextDeadline(TimePoint start, Milliseconds period, TimePoint now);

 private:
  struct Timer {
    Milliseconds period{0};
    Tick tick;
    TimePoint start;
    TimePoint due;
  };

  void Run();
  void WaitForTick(std::unique_lock<std::mutex>& lock, int timer_id);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::condition_variable tick_done_;
  std::map<int, Timer> timers_;
  int in_flight_ = 0;  // the id whose tick runs now, or 0
  int next_id_ = 1;
  bool quit_ = false;
  std::thread thread_;
};

}  // namespace platform
