#pragma once
// A dialog timer that ticks only when told to, on the caller's thread: the
// headless backend's, so tests decide when ticks happen.
#include <map>
#include <mutex>

#include "platform/window/DialogTimer.h"

namespace platform {

class ManualDialogTimer final : public DialogTimer {
 public:
  int Start(Milliseconds period, Tick tick) override;
  bool Stop(int timer_id) override;
  void StopAll() override;
  bool IsRunning(int timer_id) const override;

  // One tick of every running timer, in start order; the number of ticks.
  int FireAll();
  Milliseconds Period(int timer_id) const;  // 0 when not running

 private:
  struct Timer {
    Milliseconds period{0};
    Tick tick;
  };
  mutable std::mutex mutex_;
  std::map<int, Timer> timers_;
  int next_id_ = 1;
};

}  // namespace platform
