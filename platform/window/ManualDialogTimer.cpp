#include "platform/window/ManualDialogTimer.h"

#include <vector>

namespace platform {

int ManualDialogTimer::Start(Milliseconds period, Tick tick) {
  if (period.count() < 1 || !tick) return 0;
  std::lock_guard lock(mutex_);
  int id = next_id_++;
  timers_[id] = Timer{period, std::move(tick)};
  return id;
}

bool ManualDialogTimer::Stop(int timer_id) {
  std::lock_guard lock(mutex_);
  return timers_.erase(timer_id) > 0;
}

void ManualDialogTimer::StopAll() {
  std::lock_guard lock(mutex_);
  timers_.clear();
}

bool ManualDialogTimer::IsRunning(int timer_id) const {
  std::lock_guard lock(mutex_);
  return timers_.contains(timer_id);
}

int ManualDialogTimer::FireAll() {
  std::vector<int> ids;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [id, timer] : timers_) ids.push_back(id);
  }
  int fired = 0;
  for (int id : ids) {
    Tick tick;
    {
      // A tick may stop timers that have not ticked yet.
      std::lock_guard lock(mutex_);
      auto it = timers_.find(id);
      if (it == timers_.end()) continue;
      tick = it->second.tick;
    }
    tick(id);
    ++fired;
  }
  return fired;
}

Milliseconds ManualDialogTimer::Period(int timer_id) const {
  std::lock_guard lock(mutex_);
  auto it = timers_.find(timer_id);
  return it == timers_.end() ? Milliseconds{0} : it->second.period;
}

}  // namespace platform
