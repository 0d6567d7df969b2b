#include "platform/system/Clock.h"

#include <thread>

namespace platform {

Milliseconds SteadyClock::Now() const {
  return std::chrono::duration_cast<Milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

void SteadyClock::SleepFor(Milliseconds duration) {
  if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

Milliseconds FakeClock::Now() const {
  std::lock_guard lock(mutex_);
  return now_;
}

void FakeClock::SleepFor(Milliseconds duration) {
  std::lock_guard lock(mutex_);
  sleeps_.push_back(duration);
  if (duration.count() > 0) now_ += duration;
}

void FakeClock::Advance(Milliseconds duration) {
  std::lock_guard lock(mutex_);
  now_ += duration;
}

std::vector<Milliseconds> FakeClock::Sleeps() const {
  std::lock_guard lock(mutex_);
  return sleeps_;
}

void FakeClock::ClearSleeps() {
  std::lock_guard lock(mutex_);
  sleeps_.clear();
}

}  // namespace platform
