#include "platform/window/WindowTimers.h"

#include <gtest/gtest.h>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "platform/window/testing/RecordingHandler.h"

namespace platform {
namespace {

class WindowTimersTest : public testing::Test {
 protected:
  std::vector<std::uintptr_t> Fired() {
    std::vector<std::uintptr_t> ids;
    for (const Message& m : handler.Only({msg::kTimer})) ids.push_back(m.wparam);
    handler.Clear();
    return ids;
  }

  std::unique_ptr<HeadlessWindowSystem> ws = HeadlessWindowSystem::Make();
  RecordingHandler handler{ws.get()};
  WindowId w =
      ws->Create(WindowParams{"t", Rect{0, 0, 50, 50}, kStyleTopLevel, kNoWindow, &handler});
};

TEST_F(WindowTimersTest, TimersFireWhenDueOncePerLatePeriod) {
  ws->SetTimer(w, 66, Milliseconds{3000});
  ws->SetTimer(w, 88, Milliseconds{50});
  ws->Pump();
  EXPECT_TRUE(Fired().empty());
  ws->Time().Advance(Milliseconds{50});
  ws->Pump();
  EXPECT_EQ(Fired(), (std::vector<std::uintptr_t>{88}));
  // Late by many periods: one tick, not a burst.
  ws->Time().Advance(Milliseconds{3000});
  ws->Pump();
  EXPECT_EQ(Fired(), (std::vector<std::uintptr_t>{88, 66}));
  ws->Pump();
  EXPECT_TRUE(Fired().empty());
}

TEST_F(WindowTimersTest, FiredByHandKilledAndReArmed) {
  EXPECT_FALSE(ws->FireTimer(w, 17));
  ws->SetTimer(w, 17, Milliseconds{1000});
  EXPECT_TRUE(ws->FireTimer(w, 17));
  ws->Pump();
  EXPECT_EQ(Fired(), (std::vector<std::uintptr_t>{17}));
  // Firing by hand restarts the period.
  ws->Time().Advance(Milliseconds{999});
  ws->Pump();
  EXPECT_TRUE(Fired().empty());
  // Setting a running timer again re-arms it with the new period.
  ws->SetTimer(w, 17, Milliseconds{10});
  ws->Time().Advance(Milliseconds{10});
  ws->Pump();
  EXPECT_EQ(Fired(), (std::vector<std::uintptr_t>{17}));
  EXPECT_TRUE(ws->KillTimer(w, 17));
  EXPECT_FALSE(ws->HasTimer(w, 17));
  ws->Time().Advance(Milliseconds{100});
  ws->Pump();
  EXPECT_TRUE(Fired().empty());
}

TEST_F(WindowTimersTest, TimersDieWithTheirWindow) {
  ws->SetTimer(w, 1, Milliseconds{10});
  ws->Destroy(w);
  EXPECT_FALSE(ws->HasTimer(w, 1));
  EXPECT_FALSE(ws->SetTimer(w, 1, Milliseconds{10}));
}

TEST_F(WindowTimersTest, ARunLoopWaitsForTheNextTimer) {
  ws->SetTimer(w, 5, Milliseconds{400});
  ws->SetIdleHandler([&] {
    ws->Time().Advance(Milliseconds{100});
    return true;
  });
  handler.reply = [&](const Message& m) -> std::intptr_t {
    if (m.message == msg::kTimer) ws->EndLoop(static_cast<int>(ws->Time().Now().count()));
    return 0;
  };
  EXPECT_EQ(ws->RunLoop().code, 400);
}

}  // namespace
}  // namespace platform
