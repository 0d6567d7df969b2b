#include "platform/window/HighRateTimer.h"

namespace platform {

HighRateTimer::~HighRateTimer() {
  {
    std::unique_lock lock(mutex_);
    timers_.clear();
    quit_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) {
    if (thread_.get_id() == std::this_thread::get_id()) {
      thread_.detach();
    } else {
      thread_.join();
    }
  }
}

HighRateTimer::TimePoint HighRateTimer::NextDeadline(TimePoint start, Milliseconds period,
                                                     TimePoint now) {
  if (now < start + period) return start + period;
  auto periods = (now - start) / period + 1;
  return start + periods * period;
}

int HighRateTimer::Start(Milliseconds period, Tick tick) {
  if (period.count() < 1 || !tick) return 0;
  std::unique_lock lock(mutex_);
  if (quit_) return 0;
  int id = next_id_++;
  TimePoint now = std::chrono::steady_clock::now();
  timers_[id] = Timer{period, std::move(tick), now, now + period};
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  lock.unlock();
  changed_.notify_all();
  return id;
}

void HighRateTimer::WaitForTick(std::unique_lock<std::mutex>& lock, int timer_id) {
  // From inside a tick the tick in flight is the caller's own.
  if (std::this_thread::get_id() == thread_.get_id()) return;
  tick_done_.wait(lock, [&] { return in_flight_ != timer_id; });
}

bool HighRateTimer::Stop(int timer_id) {
  std::unique_lock lock(mutex_);
  if (timers_.erase(timer_id) == 0) return false;
  changed_.notify_all();
  WaitForTick(lock, timer_id);
  return true;
}

void HighRateTimer::StopAll() {
  std::unique_lock lock(mutex_);
  timers_.clear();
  changed_.notify_all();
  if (std::this_thread::get_id() == thread_.get_id()) return;
  tick_done_.wait(lock, [&] { return in_flight_ == 0; });
}

bool HighRateTimer::IsRunning(int timer_id) const {
  std::lock_guard lock(mutex_);
  return timers_.contains(timer_id);
}

void HighRateTimer::Run() {
  std::unique_lock lock(mutex_);
  while (!quit_) {
    if (timers_.empty()) {
      changed_.wait(lock);
      continue;
    }
    auto next = timers_.begin();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
      if (it->second.due < next->second.due) next = it;
    }
    TimePoint now = std::chrono::steady_clock::now();
    if (now < next->second.due) {
      // A copy: the wait drops the lock, and a Stop meanwhile frees the entry.
      const TimePoint due = next->second.due;
      changed_.wait_until(lock, due);
      continue;
    }
    int id = next->first;
    Tick tick = next->second.tick;
    next->second.due = NextDeadline(next->second.start, next->second.period, now);
    in_flight_ = id;
    lock.unlock();
    tick(id);
    lock.lock();
    in_flight_ = 0;
    tick_done_.notify_all();
  }
}

}  // namespace platform
