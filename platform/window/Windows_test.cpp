#include "platform/window/Windows.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/window/headless/HeadlessWindowSystem.h"
#include "platform/window/testing/RecordingHandler.h"

namespace platform {
namespace {

// Paints every damaged rectangle in one colour and records what it was asked
// to paint.
class Painter : public RecordingHandler {
 public:
  explicit Painter(HeadlessWindowSystem* ws) : RecordingHandler(ws), ws_(ws) {
    reply = [this](const Message& m) -> std::intptr_t {
      if (m.message != msg::kPaint) return ws_->DefaultHandling(m);
      PaintContext pc = ws_->BeginPaint(m.window);
      painted.push_back(pc.damage);
      cairo_t* cr = cairo_create(pc.surface);
      cairo_set_source_rgba(cr, r, g, b, a);
      cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
      cairo_rectangle(cr, pc.damage.left, pc.damage.top, pc.damage.Width(), pc.damage.Height());
      cairo_fill(cr);
      cairo_destroy(cr);
      return 0;
    };
  }
  std::vector<Rect> painted;
  double r = 1, g = 0, b = 0, a = 1;

 private:
  HeadlessWindowSystem* ws_;
};

class WindowsTest : public testing::Test {
 protected:
  std::unique_ptr<HeadlessWindowSystem> ws = HeadlessWindowSystem::Make();
  Painter painter{ws.get()};
  WindowId Open(Rect bounds, std::uint32_t style = kStyleTopLevel) {
    return ws->Create(WindowParams{"t", bounds, style, kNoWindow, &painter});
  }
};

TEST_F(WindowsTest, InvalidateOnlyMarksDamageUntilTheQueueRunsDry) {
  WindowId w = Open(Rect{0, 0, 200, 100});
  ws->Pump();
  EXPECT_TRUE(painter.painted.empty());  // hidden windows do not paint
  ws->Show(w, ShowCommand::kShow);
  ws->Pump();
  ASSERT_EQ(painter.painted, (std::vector<Rect>{Rect{0, 0, 200, 100}}));
  EXPECT_EQ(ws->ShownPixel(w, {150, 50}), 0xFFFF0000u);

  painter.painted.clear();
  painter.r = 0;
  painter.b = 1;
  ws->Invalidate(w, Rect{10, 10, 20, 20});
  ws->Invalidate(w, Rect{15, 15, 30, 25});
  ws->Invalidate(w, Rect{190, 90, 260, 160});  // clipped to the client area
  EXPECT_TRUE(painter.painted.empty());
  EXPECT_EQ(ws->UpdateRect(w), (Rect{10, 10, 200, 100}));
  int presents = ws->PresentCount(w);
  ws->Post(w, msg::kUser);
  ws->Pump();
  // One paint after the posted message, with the bounds of the damage.
  EXPECT_EQ(painter.Numbers({msg::kUser, msg::kPaint}).back(), msg::kPaint);
  EXPECT_EQ(painter.painted, (std::vector<Rect>{Rect{10, 10, 200, 100}}));
  EXPECT_EQ(ws->PresentCount(w), presents + 1);
  EXPECT_EQ(ws->ShownPixel(w, {12, 12}), 0xFF0000FFu);
  EXPECT_EQ(ws->ShownPixel(w, {5, 5}), 0xFFFF0000u);
  EXPECT_EQ(ws->UpdateRect(w), std::nullopt);
}

TEST_F(WindowsTest, OtherThreadsInvalidateAndWakeTheLoop) {
  WindowId w = Open(Rect{0, 0, 64, 64});
  ws->Show(w, ShowCommand::kShow);
  ws->Pump();
  painter.painted.clear();
  painter.reply = [this, inner = painter.reply](const Message& m) {
    std::intptr_t result = inner(m);
    if (m.message == msg::kPaint) ws->EndLoop(1);
    return result;
  };
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i) ws->Invalidate(w, Rect{i % 64, 0, i % 64 + 1, 1});
  });
  worker.join();
  EXPECT_EQ(ws->RunLoop().code, 1);
  EXPECT_EQ(painter.painted.size(), 1u);
  // A worker that invalidates while the loop sleeps wakes it.
  std::thread late([&] { ws->Invalidate(w, std::nullopt); });
  EXPECT_EQ(ws->RunLoop().code, 1);
  late.join();
  EXPECT_EQ(painter.painted.back(), (Rect{0, 0, 64, 64}));
}

TEST_F(WindowsTest, PerPixelAlphaKeepsTheSurfaceAlpha) {
  WindowId w = Open(Rect{0, 0, 10, 10}, kStylePopup | kStylePerPixelAlpha);
  painter.a = 0.5;
  ws->Show(w, ShowCommand::kShowNoActivate);
  ws->Pump();
  EXPECT_EQ(ws->ShownPixel(w, {1, 1}) >> 24, 0x80u);
  EXPECT_EQ(ws->Focus(), kNoWindow);  // shown without activation
  EXPECT_TRUE(ws->SetOpacity(w, 200));
  EXPECT_EQ(ws->ShownOpacity(w), 200);
}

TEST_F(WindowsTest, MovingAndSizingTellTheHandlerAndRedraw) {
  WindowId w = Open(Rect{0, 0, 100, 100});
  ws->Show(w, ShowCommand::kShow);
  ws->Pump();
  painter.Clear();
  ws->SetBounds(w, Rect{10, 20, 110, 120});
  EXPECT_EQ(painter.Numbers({msg::kMove, msg::kSize}), (std::vector<std::uint32_t>{msg::kMove}));
  ws->MoveFromDesktop(w, Rect{10, 20, 310, 220});
  std::vector<Message> size = painter.Only({msg::kSize});
  ASSERT_EQ(size.size(), 1u);
  EXPECT_EQ(LowWord(static_cast<std::uintptr_t>(size[0].lparam)), 300);
  EXPECT_EQ(HighWord(static_cast<std::uintptr_t>(size[0].lparam)), 200);
  EXPECT_EQ(cairo_image_surface_get_width(ws->BeginPaint(w).surface), 300);
  EXPECT_EQ(ws->ClientToScreen(w, {1, 2}), (Point{11, 22}));
  ws->Pump();
  EXPECT_EQ(painter.painted.back(), (Rect{0, 0, 300, 200}));
  // Maximising fills the work area; restoring brings the old bounds back.
  ws->SetScreen({1280, 720}, Rect{0, 0, 1280, 680});
  ws->Show(w, ShowCommand::kMaximize);
  EXPECT_EQ(ws->Bounds(w), (Rect{0, 0, 1280, 680}));
  ws->Show(w, ShowCommand::kRestore);
  EXPECT_EQ(ws->Bounds(w), (Rect{10, 20, 310, 220}));
}

TEST_F(WindowsTest, AMinimisedWindowDoesNotPaintUntilRestored) {
  WindowId w = Open(Rect{0, 0, 40, 30});
  ws->Show(w, ShowCommand::kShow);
  ws->Pump();
  painter.Clear();
  painter.painted.clear();
  ws->Show(w, ShowCommand::kMinimize);
  EXPECT_TRUE(ws->IsMinimized(w));
  ws->Invalidate(w);
  ws->Pump();
  EXPECT_TRUE(painter.painted.empty());
  ws->Show(w, ShowCommand::kRestore);
  ws->Pump();
  std::vector<Message> sizes = painter.Only({msg::kSize});
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].wparam, msg::kSizeMinimized);
  EXPECT_EQ(sizes[1].wparam, msg::kSizeRestored);
  EXPECT_EQ(painter.painted, (std::vector<Rect>{Rect{0, 0, 40, 30}}));
}

}  // namespace
}  // namespace platform
