#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/window/HighRateTimer.h"
#include "platform/window/ManualDialogTimer.h"

namespace platform {
namespace {

using std::chrono::milliseconds;

TEST(HighRateTimer, DeadlinesStayOnTheGridAndSkipMissedTicks) {
  HighRateTimer::TimePoint start{};
  struct Case {
    int now;
    int expected;
  };
  const Case cases[] = {{0, 10}, {9, 10}, {10, 20}, {11, 20}, {35, 40}, {1000, 1010}};
  for (const Case& c : cases) {
    EXPECT_EQ(HighRateTimer::NextDeadline(start, milliseconds{10}, start + milliseconds{c.now}),
              start + milliseconds{c.expected})
        << c.now;
  }
}

// Stop must not return while a tick of the stopped timer still runs: the
// tick's owner frees what the tick uses right after Stop.
TEST(HighRateTimer, StopWaitsForTheTickInFlight) {
  HighRateTimer timer;
  std::mutex mutex;
  std::condition_variable changed;
  bool in_tick = false;
  bool stop_returned = false;
  bool returned_during_tick = false;
  std::atomic<int> ticks{0};
  std::atomic<int> id{0};

  id = timer.Start(milliseconds{1}, [&](int self) {
    if (ticks++ > 0) return;
    {
      std::lock_guard lock(mutex);
      in_tick = true;
    }
    changed.notify_all();
    // Stop has been asked for once the timer no longer counts as running.
    while (timer.IsRunning(self)) std::this_thread::yield();
    // Give a faulty Stop every chance to return while this tick still runs.
    std::unique_lock lock(mutex);
    returned_during_tick = changed.wait_for(lock, milliseconds{100}, [&] { return stop_returned; });
  });
  ASSERT_GT(id, 0);
  {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return in_tick; });
  }
  EXPECT_TRUE(timer.Stop(id));
  {
    std::lock_guard lock(mutex);
    stop_returned = true;
  }
  changed.notify_all();
  EXPECT_FALSE(returned_during_tick);
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(timer.Stop(id));
}

TEST(HighRateTimer, ATickMayStopItsOwnTimer) {
  HighRateTimer timer;
  std::mutex mutex;
  std::condition_variable done;
  int ticks = 0;
  timer.Start(milliseconds{1}, [&](int self) {
    EXPECT_TRUE(timer.Stop(self));  // must not wait for itself
    std::lock_guard lock(mutex);
    ++ticks;
    done.notify_all();
  });
  std::unique_lock lock(mutex);
  done.wait(lock, [&] { return ticks > 0; });
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer.Start(milliseconds{0}, [](int) {}), 0);
}

TEST(ManualDialogTimer, TicksOnlyWhenFired) {
  ManualDialogTimer timer;
  std::vector<int> order;
  int first = timer.Start(milliseconds{10}, [&](int id) { order.push_back(id); });
  int second = 0;
  second = timer.Start(milliseconds{16}, [&](int id) {
    order.push_back(id);
    timer.Stop(first);
  });
  EXPECT_EQ(timer.Period(first), milliseconds{10});
  EXPECT_EQ(timer.FireAll(), 2);
  EXPECT_EQ(timer.FireAll(), 1);
  EXPECT_EQ(order, (std::vector<int>{first, second, second}));
  timer.StopAll();
  EXPECT_EQ(timer.FireAll(), 0);
}

}  // namespace
}  // namespace platform
