#include "platform/window/PointerInput.h"

#include <gtest/gtest.h>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "platform/window/testing/RecordingHandler.h"

namespace platform {
namespace {

constexpr std::initializer_list<std::uint32_t> kMouse = {
    msg::kMouseMove,   msg::kLButtonDown,   msg::kLButtonUp,  msg::kLButtonDblClk,
    msg::kRButtonDown, msg::kRButtonUp,     msg::kMouseHover, msg::kMouseLeave,
    msg::kMouseWheel,  msg::kCaptureChanged};

class PointerInputTest : public testing::Test {
 protected:
  WindowId Open(RecordingHandler& handler, Rect bounds, std::uint32_t style = kStyleTopLevel,
                WindowId owner = kNoWindow) {
    WindowId id = ws->Create(WindowParams{"t", bounds, style, owner, &handler});
    ws->Show(id, ShowCommand::kShow);
    ws->Pump();
    handler.Clear();
    return id;
  }

  std::unique_ptr<HeadlessWindowSystem> ws = HeadlessWindowSystem::Make();
  RecordingHandler a{ws.get()};
  RecordingHandler b{ws.get()};
};

TEST_F(PointerInputTest, ButtonsCarryTheirPointAndFlags) {
  WindowId w = Open(a, Rect{100, 100, 300, 200});
  ws->PressKey(vk::kShift);
  ws->PressButton(w, MouseButton::kLeft, {10, 20});
  ws->MovePointer(w, {11, 21});
  ws->MovePointer(w, {12, 22});  // replaces the queued move
  ws->ReleaseButton(w, MouseButton::kLeft, {12, 22});
  ws->Wheel(w, -240, {12, 22});
  ws->Pump();
  std::vector<Message> got = a.Only(kMouse);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0],
            (Message{w, msg::kLButtonDown, msg::kMkLButton | msg::kMkShift, PackPoint({10, 20})}));
  EXPECT_EQ(got[1],
            (Message{w, msg::kMouseMove, msg::kMkLButton | msg::kMkShift, PackPoint({12, 22})}));
  EXPECT_EQ(got[2], (Message{w, msg::kLButtonUp, msg::kMkShift, PackPoint({12, 22})}));
  // The wheel carries the screen point, and the delta in the high word.
  EXPECT_EQ(got[3].message, msg::kMouseWheel);
  EXPECT_EQ(SignedHighWord(got[3].wparam), -240);
  EXPECT_EQ(UnpackPoint(got[3].lparam), (Point{112, 122}));
}

TEST_F(PointerInputTest, CaptureRedirectsInputWithClientCoordinatesOutside) {
  WindowId w = Open(a, Rect{100, 100, 300, 200});
  WindowId v = Open(b, Rect{400, 100, 500, 200});
  ws->PressButton(w, MouseButton::kLeft, {5, 5});
  EXPECT_EQ(ws->SetCapture(w), kNoWindow);
  ws->MovePointer(v, {10, 10});  // over the other window, at screen (410, 110)
  ws->ReleaseButton(v, MouseButton::kLeft, {10, 10});
  ws->Pump();
  EXPECT_TRUE(b.Only(kMouse).empty());
  std::vector<Message> got = a.Only({msg::kMouseMove, msg::kLButtonUp});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(UnpackPoint(got[0].lparam), (Point{310, 10}));
  EXPECT_EQ(UnpackPoint(got[1].lparam), (Point{310, 10}));
  EXPECT_TRUE(ws->ReleaseCapture());
  EXPECT_EQ(a.Only({msg::kCaptureChanged}).size(), 1u);
  EXPECT_FALSE(ws->ReleaseCapture());
}

TEST_F(PointerInputTest, HoverAfterRestingAndLeaveOnceTheTrackedWindowIsLeft) {
  WindowId w = Open(a, Rect{0, 0, 200, 100});
  WindowId v = Open(b, Rect{300, 0, 400, 100});
  ws->MovePointer(w, {50, 50});
  ASSERT_TRUE(ws->TrackMouse(w, kTrackLeave | kTrackHover, Milliseconds{400}));
  ws->Time().Advance(Milliseconds{300});
  ws->MovePointer(w, {52, 51});  // within the hover slop: the rest goes on
  ws->Pump();
  ws->Time().Advance(Milliseconds{99});
  ws->Pump();
  EXPECT_TRUE(a.Only({msg::kMouseHover}).empty());
  ws->Time().Advance(Milliseconds{1});
  ws->Pump();
  ASSERT_EQ(a.Only({msg::kMouseHover}).size(), 1u);
  EXPECT_EQ(UnpackPoint(a.Only({msg::kMouseHover})[0].lparam), (Point{52, 51}));
  // Hover fires once per request; leave is still armed.
  ws->Time().Advance(Milliseconds{1000});
  ws->Pump();
  EXPECT_EQ(a.Only({msg::kMouseHover}).size(), 1u);
  ws->MovePointer(v, {5, 5});
  ws->PointerLeft(v);
  ws->Pump();
  EXPECT_EQ(a.Only({msg::kMouseLeave}).size(), 1u);
  EXPECT_TRUE(b.Only({msg::kMouseLeave}).empty());  // v never asked
}

TEST_F(PointerInputTest, MovingAwayRestartsTheHoverWaitAndLeaveOutsideComesAtOnce) {
  WindowId w = Open(a, Rect{0, 0, 200, 100});
  ws->MovePointer(w, {50, 50});
  ws->TrackMouse(w, kTrackHover, Milliseconds{400});
  ws->Time().Advance(Milliseconds{300});
  ws->MovePointer(w, {60, 50});
  ws->Time().Advance(Milliseconds{300});
  ws->Pump();
  EXPECT_TRUE(a.Only({msg::kMouseHover}).empty());
  ws->Time().Advance(Milliseconds{100});
  ws->Pump();
  EXPECT_EQ(a.Only({msg::kMouseHover}).size(), 1u);
  ws->PointerLeft(w);
  ws->TrackMouse(w, kTrackLeave);
  ws->Pump();
  EXPECT_EQ(a.Only({msg::kMouseLeave}).size(), 1u);
}

TEST_F(PointerInputTest, DoubleClicksPairUpWithinTimeAndPlace) {
  WindowId w = Open(a, Rect{0, 0, 200, 100});
  struct Case {
    Milliseconds gap;
    Point second;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {Milliseconds{200}, {10, 10}, msg::kLButtonDblClk},
      {Milliseconds{500}, {12, 8}, msg::kLButtonDblClk},
      {Milliseconds{501}, {10, 10}, msg::kLButtonDown},
      {Milliseconds{100}, {13, 10}, msg::kLButtonDown},
  };
  for (const Case& c : cases) {
    ws->Time().Advance(Milliseconds{5000});
    a.Clear();
    ws->Click(w, {10, 10});
    ws->Time().Advance(c.gap);
    ws->Click(w, c.second);
    ws->Pump();
    std::vector<std::uint32_t> numbers =
        a.Numbers({msg::kLButtonDown, msg::kLButtonUp, msg::kLButtonDblClk});
    ASSERT_EQ(numbers.size(), 4u);
    EXPECT_EQ(numbers[2], c.expected) << c.gap.count() << " ms";
  }
  // A third press starts a new pair.
  a.Clear();
  ws->Time().Advance(Milliseconds{5000});
  for (int i = 0; i < 3; ++i) ws->Click(w, {10, 10});
  ws->Pump();
  EXPECT_EQ(
      a.Numbers({msg::kLButtonDown, msg::kLButtonDblClk}),
      (std::vector<std::uint32_t>{msg::kLButtonDown, msg::kLButtonDblClk, msg::kLButtonDown}));
}

TEST_F(PointerInputTest, ADisabledWindowGetsNoInputAndAClickRaisesItsModalDialog) {
  WindowId owner = Open(a, Rect{0, 0, 400, 300});
  WindowId dialog = Open(b, Rect{50, 50, 250, 150}, kStyleTopLevel, owner);
  ws->Enable(owner, false);
  ws->SetFocus(owner);  // as if it had the focus before
  ws->Click(owner, {5, 5});
  ws->PressKey('A');
  ws->Pump();
  EXPECT_TRUE(a.Only(kMouse).empty());
  EXPECT_TRUE(a.Only({msg::kKeyDown}).empty());
  EXPECT_EQ(ws->Focus(), dialog);
  EXPECT_EQ(b.Only({msg::kKeyDown}).size(), 1u);
}

TEST_F(PointerInputTest, APopupLosesActivationToAClickElsewhereOrAnotherProgram) {
  WindowId main = Open(a, Rect{0, 0, 400, 300});
  RecordingHandler menu{ws.get()};
  WindowId popup = Open(menu, Rect{10, 10, 110, 110}, kStylePopup, main);
  EXPECT_EQ(ws->Focus(), popup);
  ws->Click(popup, {5, 5});  // inside: stays active
  ws->Pump();
  EXPECT_TRUE(menu.Only({msg::kNcActivate}).empty());
  ws->Click(main, {300, 200});
  ws->Pump();
  ASSERT_EQ(menu.Only({msg::kNcActivate}).size(), 1u);
  EXPECT_EQ(menu.Only({msg::kNcActivate})[0].wparam, 0u);
  EXPECT_EQ(ws->Focus(), main);

  RecordingHandler menu2{ws.get()};
  WindowId popup2 = Open(menu2, Rect{10, 10, 110, 110}, kStylePopup, main);
  ASSERT_EQ(ws->Focus(), popup2);
  // The desktop reports the main window's focus lost; the popup it owns goes.
  ws->DeactivateApp();
  ASSERT_EQ(menu2.Only({msg::kNcActivate}).size(), 1u);
  EXPECT_EQ(menu2.Only({msg::kNcActivate})[0].wparam, 0u);
  EXPECT_EQ(ws->Focus(), kNoWindow);
}

TEST_F(PointerInputTest, AMoveDragCarriesTheWindowUntilRelease) {
  WindowId w = Open(a, Rect{100, 100, 300, 200});
  EXPECT_FALSE(ws->BeginMoveDrag(w));  // no button down
  ws->PressButton(w, MouseButton::kLeft, {10, 10});
  ws->Pump();
  ASSERT_TRUE(ws->BeginMoveDrag(w));
  a.Clear();
  ws->MovePointer(w, {30, 15});  // the pointer moved by (20, 5)
  EXPECT_EQ(ws->Bounds(w), (Rect{120, 105, 320, 205}));
  ws->MovePointer(w, {10, 10});  // client point of the moved window: at rest
  EXPECT_EQ(ws->Bounds(w), (Rect{120, 105, 320, 205}));
  ws->ReleaseButton(w, MouseButton::kLeft, {10, 10});
  ws->Pump();
  EXPECT_EQ(a.Numbers({msg::kMove, msg::kExitSizeMove}),
            (std::vector<std::uint32_t>{msg::kMove, msg::kExitSizeMove}));
  EXPECT_TRUE(a.Only(kMouse).empty());  // the drag swallowed moves and the release
  EXPECT_FALSE(ws->IsKeyDown(vk::kLButton));
  ws->MovePointer(w, {50, 50});
  ws->Pump();
  EXPECT_EQ(ws->Bounds(w), (Rect{120, 105, 320, 205}));
  EXPECT_EQ(a.Only({msg::kMouseMove}).size(), 1u);
}

TEST_F(PointerInputTest, CursorAndDroppedFiles) {
  WindowId w = Open(a, Rect{0, 0, 100, 100});
  ws->SetCursor(CursorShape::kHand);
  EXPECT_EQ(ws->CurrentCursor(), CursorShape::kHand);
  ws->DropFiles(w, {"/tmp/a.xml"}, {3, 4});
  ws->Pump();
  EXPECT_TRUE(a.Only({msg::kDropFiles}).empty());  // not accepted yet
  ws->AcceptFiles(w, true);
  ws->DropFiles(w, {"/tmp/a.xml", "/tmp/b é.xml"}, {3, 4});
  ws->Pump();
  ASSERT_EQ(a.Only({msg::kDropFiles}).size(), 1u);
  std::uintptr_t drop = a.Only({msg::kDropFiles})[0].wparam;
  EXPECT_EQ(ws->TakeDroppedFiles(drop), (std::vector<std::string>{"/tmp/a.xml", "/tmp/b é.xml"}));
  EXPECT_TRUE(ws->TakeDroppedFiles(drop).empty());
}

}  // namespace
}  // namespace platform
