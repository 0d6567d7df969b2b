#pragma once
// Monotonic time and waiting. Every wait of the program (report pacing, reset
// gaps, macro delays) goes through a Clock so that tests assert the waits that
// were asked for instead of sleeping.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace platform {

using Milliseconds = std::chrono::milliseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  // Time since an arbitrary fixed point; never goes backwards.
  virtual Milliseconds Now() const = 0;
  virtual void SleepFor(Milliseconds duration) = 0;
};

class SteadyClock final : public Clock {
 public:
  Milliseconds Now() const override;
  void SleepFor(Milliseconds duration) override;
};

// Virtual time: SleepFor returns at once, records the wait and moves time on.
// Safe to share between threads.
class FakeClock final : public Clock {
 public:
  Milliseconds Now() const override;
  void SleepFor(Milliseconds duration) override;
  void Advance(Milliseconds duration);
  std::vector<Milliseconds> Sleeps() const;
  void ClearSleeps();

 private:
  mutable std::mutex mutex_;
  Milliseconds now_{0};
  std::vector<Milliseconds> sleeps_;
};

}  // namespace platform
