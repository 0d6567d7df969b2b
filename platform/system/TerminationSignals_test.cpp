#include "platform/system/TerminationSignals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include <algorithm>

namespace platform {
namespace {

TEST(TerminationSignals, TermAndIntWaitOnTheDescriptorInsteadOfEndingTheProcess) {
  SignalfdTerminationSignals signals;
  ASSERT_GE(signals.Fd(), 0);
  EXPECT_TRUE(signals.TakeSignals().empty());
  ASSERT_EQ(raise(SIGTERM), 0);
  ASSERT_EQ(raise(SIGINT), 0);
  pollfd fd{signals.Fd(), POLLIN, 0};
  ASSERT_EQ(poll(&fd, 1, 1000), 1);
  std::vector<int> taken = signals.TakeSignals();
  std::sort(taken.begin(), taken.end());
  EXPECT_EQ(taken, (std::vector<int>{SIGINT, SIGTERM}));
}

TEST(TerminationSignals, TheMaskIsGivenBack) {
  sigset_t before;
  pthread_sigmask(SIG_SETMASK, nullptr, &before);
  { SignalfdTerminationSignals signals; }
  sigset_t after;
  pthread_sigmask(SIG_SETMASK, nullptr, &after);
  EXPECT_EQ(sigismember(&before, SIGTERM), sigismember(&after, SIGTERM));
  EXPECT_EQ(sigismember(&before, SIGINT), sigismember(&after, SIGINT));
}

}  // namespace
}  // namespace platform
