#include "platform/window/MessageQueue.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "platform/window/testing/RecordingHandler.h"

namespace platform {
namespace {

constexpr std::uint32_t kApp = msg::kUser + 666;  // 1690, a program message

class MessageQueueTest : public testing::Test {
 protected:
  WindowId Open(RecordingHandler& target) {
    return ws->Create(WindowParams{"t", Rect{0, 0, 100, 80}, kStyleTopLevel, kNoWindow, &target});
  }

  std::unique_ptr<HeadlessWindowSystem> ws = HeadlessWindowSystem::Make();
  RecordingHandler handler{ws.get()};
};

TEST_F(MessageQueueTest, PostsArriveInOrderAndSendRunsAtOnce) {
  WindowId w = Open(handler);
  ASSERT_NE(w, kNoWindow);
  EXPECT_TRUE(ws->Post(w, kApp, 1, -1));
  EXPECT_TRUE(ws->Post(w, kApp, 2, -2));
  handler.reply = [](const Message& m) { return m.message == kApp + 1 ? 42 : 0; };
  EXPECT_EQ(ws->Send(w, kApp + 1, 3, 4), 42);
  // The send ran before the queued posts, which wait for the loop.
  ASSERT_EQ(handler.Only({kApp, kApp + 1}).size(), 1u);
  EXPECT_EQ(ws->Pump(), 2);
  std::vector<Message> got = handler.Only({kApp, kApp + 1});
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1], (Message{w, kApp, 1, -1}));
  EXPECT_EQ(got[2], (Message{w, kApp, 2, -2}));
}

TEST_F(MessageQueueTest, MessagesToADestroyedWindowAreDropped) {
  RecordingHandler other{ws.get()};
  WindowId w = Open(handler);
  WindowId survivor = Open(other);
  ws->Post(w, kApp, 1);
  ws->Post(survivor, kApp, 2);
  ws->Post(w, kApp, 3);
  ASSERT_TRUE(ws->Destroy(w));
  EXPECT_FALSE(ws->IsWindow(w));
  EXPECT_FALSE(ws->Post(w, kApp, 4));
  EXPECT_EQ(ws->Send(w, kApp, 5), 0);
  ws->Pump();
  EXPECT_TRUE(handler.Only({kApp}).empty());
  EXPECT_EQ(handler.Numbers({msg::kDestroy, msg::kNcDestroy}),
            (std::vector<std::uint32_t>{msg::kDestroy, msg::kNcDestroy}));
  ASSERT_EQ(other.Only({kApp}).size(), 1u);
  // A message fetched before its window went is dropped at dispatch too.
  ws->Post(survivor, kApp, 6);
  Message m;
  ASSERT_EQ(ws->NextMessage(m, false), Fetch::kMessage);
  ws->Destroy(survivor);
  EXPECT_EQ(ws->Dispatch(m), 0);
  EXPECT_EQ(other.Only({kApp}).size(), 1u);
}

TEST_F(MessageQueueTest, DestroyTakesOwnedWindowsFirst) {
  RecordingHandler popup{ws.get()};
  WindowId owner = Open(handler);
  WindowId child = ws->Create(WindowParams{"p", Rect{0, 0, 10, 10}, kStylePopup, owner, &popup});
  std::vector<WindowId> order;
  handler.reply = popup.reply = [&](const Message& m) -> std::intptr_t {
    if (m.message == msg::kDestroy) order.push_back(m.window);
    return 0;
  };
  ws->Destroy(owner);
  EXPECT_EQ(order, (std::vector<WindowId>{child, owner}));
  EXPECT_FALSE(ws->IsWindow(child));
}

TEST_F(MessageQueueTest, OtherThreadsPostAndSendToTheUiThread) {
  WindowId w = Open(handler);
  std::thread::id handled_on;
  handler.reply = [&](const Message& m) -> std::intptr_t {
    if (m.message != kApp) return 0;
    handled_on = std::this_thread::get_id();
    if (m.wparam == 99) ws->EndLoop(7);
    return static_cast<std::intptr_t>(m.wparam) * 10;
  };
  std::intptr_t sent_result = 0;
  std::thread worker([&] {
    ws->Post(w, kApp, 1);
    sent_result = ws->Send(w, kApp, 2);  // returns once the UI thread handled it
    ws->Post(w, kApp, 99);
  });
  LoopResult result = ws->RunLoop();
  worker.join();
  EXPECT_EQ(result.end, LoopEnd::kEnded);
  EXPECT_EQ(result.code, 7);
  EXPECT_EQ(sent_result, 20);
  EXPECT_EQ(handled_on, std::this_thread::get_id());
  std::vector<Message> got = handler.Only({kApp});
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].wparam, 1u);
  EXPECT_EQ(got[1].wparam, 2u);
  EXPECT_EQ(got[2].wparam, 99u);
}

TEST_F(MessageQueueTest, NestedLoopsEndInnermostFirstWithTheirCodes) {
  WindowId w = Open(handler);
  LoopResult inner;
  handler.reply = [&](const Message& m) -> std::intptr_t {
    if (m.message != kApp) return 0;
    if (m.wparam == 1) {
      ws->Post(w, kApp, 2);
      inner = ws->RunLoop();  // a modal loop inside a handler
      ws->Post(w, kApp, 3);
    } else if (m.wparam == 2) {
      EXPECT_EQ(ws->LoopDepth(), 2);
      ws->EndLoop(6);
    } else if (m.wparam == 3) {
      ws->EndLoop(1);
    }
    return 0;
  };
  ws->Post(w, kApp, 1);
  LoopResult outer = ws->RunLoop();
  EXPECT_EQ(inner.end, LoopEnd::kEnded);
  EXPECT_EQ(inner.code, 6);
  EXPECT_EQ(outer.end, LoopEnd::kEnded);
  EXPECT_EQ(outer.code, 1);
  EXPECT_EQ(ws->LoopDepth(), 0);
}

TEST_F(MessageQueueTest, QuitEndsEveryNestedLoopWithItsCode) {
  WindowId w = Open(handler);
  LoopResult inner;
  handler.reply = [&](const Message& m) -> std::intptr_t {
    if (m.message == kApp) {
      ws->PostQuit(610);
      inner = ws->RunLoop();
    }
    return 0;
  };
  ws->Post(w, kApp);
  LoopResult outer = ws->RunLoop();
  EXPECT_EQ(inner.end, LoopEnd::kQuit);
  EXPECT_EQ(inner.code, 610);
  EXPECT_EQ(outer.end, LoopEnd::kQuit);
  EXPECT_EQ(outer.code, 610);
}

TEST_F(MessageQueueTest, ADisplayErrorEndsTheLoopInsteadOfSpinning) {
  Open(handler);
  ws->FailNextWait();
  LoopResult result = ws->RunLoop();
  EXPECT_EQ(result.end, LoopEnd::kError);
  EXPECT_EQ(result.code, -1);
  // A dry loop whose idle handler can deliver nothing more fails the same way.
  int idle_calls = 0;
  ws->SetIdleHandler([&] { return ++idle_calls < 3; });
  EXPECT_EQ(ws->RunLoop().end, LoopEnd::kError);
  EXPECT_EQ(idle_calls, 3);
}

TEST_F(MessageQueueTest, HooksSeeEveryMessageAndMayConsumeOrEnd) {
  WindowId w = Open(handler);
  struct Hooks : LoopHooks {
    std::vector<std::uintptr_t> seen;
    bool PreTranslate(const Message& m) override {
      if (m.message == kApp) seen.push_back(m.wparam);
      return m.message == kApp && m.wparam == 1;  // consumed
    }
    bool AfterDispatch(const Message& m) override { return m.message == kApp && m.wparam == 2; }
  } hooks;
  ws->Post(w, kApp, 1);
  ws->Post(w, kApp, 2);
  ws->Post(w, kApp, 3);
  LoopResult result = ws->RunLoop(&hooks);
  EXPECT_EQ(result.end, LoopEnd::kEnded);
  EXPECT_EQ(hooks.seen, (std::vector<std::uintptr_t>{1, 2}));
  std::vector<Message> got = handler.Only({kApp});
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].wparam, 2u);
  EXPECT_EQ(ws->Pump(), 1);  // 3 is still queued for the next loop
}

// The shape of a dialog's modal loop: the owner disabled, the result taken
// from the close message, the loop over once the window is gone.
TEST_F(MessageQueueTest, AModalLoopEndsWhenItsWindowGoes) {
  WindowId owner = Open(handler);
  RecordingHandler dialog_handler{ws.get()};
  WindowId dialog = ws->Create(
      WindowParams{"dialog", Rect{0, 0, 50, 50}, kStyleTopLevel, owner, &dialog_handler});
  struct Modal : LoopHooks {
    HeadlessWindowSystem* ws;
    WindowId owner;
    WindowId dialog;
    std::uintptr_t result = 0;
    bool PreTranslate(const Message& m) override {
      if (m.message == msg::kClose && m.window == dialog) {
        result = m.wparam;
        ws->Enable(owner, true);  // before the dialog goes, so the owner takes over
        ws->SetFocus(owner);
      }
      return false;
    }
    bool AfterDispatch(const Message&) override { return !ws->IsWindow(dialog); }
  } modal;
  modal.ws = ws.get();
  modal.owner = owner;
  modal.dialog = dialog;
  ws->Show(owner, ShowCommand::kShow);
  ws->Enable(owner, false);
  ws->Show(dialog, ShowCommand::kShow);
  ws->Post(dialog, msg::kClose, 6);  // what DoYes leads to
  EXPECT_EQ(ws->RunLoop(&modal).end, LoopEnd::kEnded);
  EXPECT_EQ(modal.result, 6u);
  EXPECT_FALSE(ws->IsWindow(dialog));
  EXPECT_EQ(ws->Focus(), owner);  // the owner is active again
}

TEST_F(MessageQueueTest, CloseDestroysThroughDefaultHandling) {
  WindowId w = Open(handler);
  ws->Post(w, msg::kClose, 2);
  ws->Pump();
  EXPECT_FALSE(ws->IsWindow(w));
  // The desktop's close button comes as a system command that ends in kClose
  // with 0 unless the handler takes it.
  RecordingHandler second{ws.get()};
  WindowId v = Open(second);
  ws->RequestClose(v);
  ws->Pump();
  EXPECT_EQ(second.Numbers({msg::kSysCommand, msg::kClose}),
            (std::vector<std::uint32_t>{msg::kSysCommand, msg::kClose}));
  EXPECT_EQ(second.Only({msg::kClose})[0].wparam, 0u);
  EXPECT_FALSE(ws->IsWindow(v));
  RecordingHandler tray{ws.get()};
  WindowId kept = Open(tray);
  tray.reply = [](const Message&) -> std::intptr_t { return 0; };  // takes everything
  ws->RequestClose(kept);
  ws->Pump();
  EXPECT_TRUE(ws->IsWindow(kept));
}

}  // namespace
}  // namespace platform
