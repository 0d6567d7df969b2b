#include "platform/window/WindowEventLoop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "platform/window/headless/HeadlessWindowSystem.h"

namespace platform {
namespace {

struct Pipe {
  Pipe() { EXPECT_EQ(pipe(fds), 0); }
  ~Pipe() {
    for (int fd : fds)
      if (fd >= 0) close(fd);
  }
  void Write(char c) { EXPECT_EQ(write(fds[1], &c, 1), 1); }
  char Read() {
    char c = 0;
    EXPECT_EQ(read(fds[0], &c, 1), 1);
    return c;
  }
  void CloseWriter() {
    close(fds[1]);
    fds[1] = -1;
  }
  int fds[2] = {-1, -1};
};

TEST(WindowEventLoopTest, RunsPostedWorkAndReadyDescriptorsOnTheUiThread) {
  auto system = HeadlessWindowSystem::Make();
  WindowEventLoop loop(*system);
  Pipe pipe;
  std::vector<char> read;
  std::vector<bool> on_ui;
  loop.Watch(pipe.fds[0], [&] {
    read.push_back(pipe.Read());
    on_ui.push_back(system->IsUiThread());
    if (read.size() == 2) loop.Quit(7);
  });
  std::thread other([&] {
    loop.Post([&] { pipe.Write('a'); });
    pipe.Write('b');
  });
  EXPECT_EQ(loop.Run(), 7);
  other.join();
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(on_ui, (std::vector<bool>{true, true}));
}

TEST(WindowEventLoopTest, UnwatchedAndHungUpDescriptorsAreNotReportedAgain) {
  auto system = HeadlessWindowSystem::Make();
  WindowEventLoop loop(*system);
  Pipe quiet;
  Pipe closing;
  int quiet_calls = 0;
  int closing_calls = 0;
  loop.Watch(quiet.fds[0], [&] { ++quiet_calls; });
  loop.Unwatch(quiet.fds[0]);
  quiet.Write('x');
  // A hung-up pipe stays readable for ever: it is reported once, then dropped.
  loop.Watch(closing.fds[0], [&] {
    ++closing_calls;
    loop.Post([&] { loop.Post([&] { loop.Quit(0); }); });
  });
  closing.CloseWriter();
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(quiet_calls, 0);
  EXPECT_EQ(closing_calls, 1);
}

TEST(WindowEventLoopTest, OtherDescriptorsAreHeardWhileACallbackRunsAModalLoop) {
  auto system = HeadlessWindowSystem::Make();
  WindowEventLoop loop(*system);
  Pipe dialog_opener;
  Pipe exit_request;
  int opener_calls = 0;
  bool heard_exit = false;
  loop.Watch(dialog_opener.fds[0], [&] {
    ++opener_calls;
    dialog_opener.Read();
    exit_request.Write('x');
    // A modal dialog's loop: the exit request still gets through and ends it.
    system->RunLoop();
    loop.Quit(0);
  });
  loop.Watch(exit_request.fds[0], [&] {
    exit_request.Read();
    heard_exit = true;
    system->EndLoop(0);
  });
  dialog_opener.Write('o');
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_TRUE(heard_exit);
  EXPECT_EQ(opener_calls, 1);
}

TEST(WindowEventLoopTest, PostedWorkReachesTheUiThreadInsideAModalLoop) {
  auto system = HeadlessWindowSystem::Make();
  WindowEventLoop loop(*system);
  bool ran = false;
  std::thread other([&] {
    loop.Post([&] {
      ran = true;
      system->EndLoop(3);
    });
  });
  // A nested loop, as a modal dialog runs one: the work still arrives.
  const LoopResult nested = system->RunLoop();
  other.join();
  EXPECT_TRUE(ran);
  EXPECT_EQ(nested.code, 3);
}

}  // namespace
}  // namespace platform
