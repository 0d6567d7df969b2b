#include "platform/system/PollEventLoop.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

#include "platform/system/TerminationSignals.h"

namespace platform {
namespace {

TEST(PollEventLoop, WorkPostedFromAnotherThreadRunsOnTheLoopUntilQuit) {
  PollEventLoop loop;
  std::thread::id ran_on;
  std::thread poster([&] {
    loop.Post([&] {
      ran_on = std::this_thread::get_id();
      loop.Quit(7);
    });
  });
  EXPECT_EQ(loop.Run(), 7);
  poster.join();
  EXPECT_EQ(ran_on, std::this_thread::get_id());
}

TEST(PollEventLoop, AReadyDescriptorCallsItsWatcherWhichMayUnwatchItself) {
  PollEventLoop loop;
  FakeTerminationSignals source;
  int calls = 0;
  loop.Watch(source.Fd(), [&] {
    ++calls;
    source.TakeSignals();
    loop.Unwatch(source.Fd());
    loop.Quit(0);
  });
  loop.Watch(-1, [] { FAIL() << "a missing descriptor is never watched"; });
  source.Raise(15);
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(calls, 1);
}

TEST(PollEventLoop, AHungUpDescriptorIsReportedOnceAndNoLongerWatched) {
  PollEventLoop loop;
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  close(ends[1]);
  int calls = 0;
  loop.Watch(ends[0], [&] { ++calls; });
  for (int i = 0; i < 3; ++i) loop.RunOnce(Milliseconds(10));
  EXPECT_EQ(calls, 1);
  close(ends[0]);
}

}  // namespace
}  // namespace platform
