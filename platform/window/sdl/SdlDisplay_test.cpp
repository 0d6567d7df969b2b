// The SDL backend on a real X server: a private Xvfb that the test starts and
// stops (TestDisplay), clicks injected with XTest, and a screenshot of the
// window saved as PNG in the build folder. Skipped when Xvfb is not installed.
#include <cairo.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/window/WindowSystem.h"
#include "platform/window/testing/RecordingHandler.h"
#include "platform/window/testing/TestDisplay.h"

namespace platform {
namespace {

// Paints red left, blue right and a green square, and ends the run loop on a
// left-button release.
class ClickTarget : public RecordingHandler {
 public:
  explicit ClickTarget(WindowSystem* ws) : RecordingHandler(ws), ws_(ws) {
    reply = [this](const Message& m) -> std::intptr_t {
      switch (m.message) {
        case msg::kPaint:
          Paint(ws_->BeginPaint(m.window));
          ++paints;
          return 0;
        case msg::kLButtonUp:
          ws_->EndLoop(1);
          return 0;
        case msg::kTimer:
          ws_->EndLoop(-2);  // the click never came
          return 0;
        case msg::kUser:
          ws_->EndLoop(static_cast<int>(m.wparam));
          return 0;
        default:
          return ws_->DefaultHandling(m);
      }
    };
  }
  int paints = 0;

 private:
  static void Paint(const PaintContext& pc) {
    cairo_t* cr = cairo_create(pc.surface);
    int width = cairo_image_surface_get_width(pc.surface);
    int height = cairo_image_surface_get_height(pc.surface);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 0, 0, width / 2, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_rectangle(cr, width / 2, 0, width - width / 2, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_rectangle(cr, 20, 20, 40, 40);
    cairo_fill(cr);
    cairo_destroy(cr);
  }
  WindowSystem* ws_;
};

class SdlDisplayTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!TestDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed";
    std::string why;
    ASSERT_TRUE(display_.Start(1024, 768, &why)) << why;
  }
  // The pixel the server shows at a screen point, once it is the expected
  // one or after a bounded wait for the server to catch up.
  std::uint32_t ShownPixel(const Rect& area, Point p, std::uint32_t expected) {
    return display_.WaitForPixel(Point{area.left + p.x, area.top + p.y}, expected);
  }

  TestDisplay display_;
};

TEST_F(SdlDisplayTest, DrawsAWindowTakesAnXTestClickAndWakesForOtherThreads) {
  WindowSystem* ws = &display_.System();
  EXPECT_EQ(ws->BackendName(), "sdl");
  ASSERT_FALSE(ws->Monitors().empty());
  EXPECT_EQ(ws->Monitors()[0].bounds, (Rect{0, 0, 1024, 768}));

  ClickTarget target(ws);
  const Rect bounds{100, 120, 420, 360};
  WindowId w = ws->Create(WindowParams{"Tessaro test", bounds, kStyleTopLevel, kNoWindow, &target});
  ASSERT_NE(w, kNoWindow);
  ws->Show(w, ShowCommand::kShow);

  // Wait (bounded) for the server to show the first frame.
  EXPECT_EQ(ShownPixel(bounds, {300, 200}, 0x0000FF), 0x0000FFu);
  EXPECT_GT(target.paints, 0);
  Screenshot shot = display_.Grab(bounds);
  ASSERT_TRUE(shot.Valid());
  EXPECT_TRUE(shot.SavePng(std::string(TESSARO_PROGRAM_DIR) + "/../sdl_window_screenshot.png"));
  EXPECT_EQ(shot.Pixel(30, 30), 0x00FF00u);
  EXPECT_EQ(shot.Pixel(100, 200), 0xFF0000u);
  EXPECT_EQ(shot.Pixel(300, 200), 0x0000FFu);

  // A click through the X server, at client (200, 150), through a shadow-like
  // window lying over that point.
  ClickTarget over_target(ws);
  const Rect over{bounds.left + 150, bounds.top + 100, bounds.left + 250, bounds.top + 200};
  WindowId overlay = ws->Create(WindowParams{
      "overlay", over, kStylePopup | kStyleNoActivate | kStyleInputTransparent, w, &over_target});
  ASSERT_NE(overlay, kNoWindow);
  ws->Show(overlay, ShowCommand::kShowNoActivate);
  ASSERT_EQ(ShownPixel(over, {30, 30}, 0x00FF00), 0x00FF00u);
  ws->SetTimer(w, 1, Milliseconds{5000});
  // Queued for the run loop below, which ends on the release.
  ASSERT_TRUE(display_.MovePointer({bounds.left + 200, bounds.top + 150}));
  ASSERT_TRUE(display_.Button(TestDisplay::MouseButton::kLeft, true));
  ASSERT_TRUE(display_.Button(TestDisplay::MouseButton::kLeft, false));
  EXPECT_EQ(ws->RunLoop().code, 1);
  std::vector<Message> down = target.Only({msg::kLButtonDown});
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(UnpackPoint(down[0].lparam), (Point{200, 150}));
  EXPECT_TRUE(over_target.Only({msg::kLButtonDown}).empty());
  // Showing the overlay, which never takes the focus, left the window active.
  EXPECT_EQ(ws->ActiveWindow(), w);
  ws->Destroy(overlay);

  // A post from another thread wakes the waiting loop.
  ws->SetTimer(w, 1, Milliseconds{5000});
  std::thread poster([&] { ws->Post(w, msg::kUser, 7); });
  EXPECT_EQ(ws->RunLoop().code, 7);
  poster.join();

  EXPECT_TRUE(ws->SetClipboardText("Tessaro ✓"));
  EXPECT_EQ(ws->ClipboardText(), "Tessaro ✓");

  // A per-pixel-alpha popup opens on Xvfb's 32-bit visual and shows its
  // premultiplied pixels as they are.
  EXPECT_TRUE(ws->SupportsPerPixelAlpha());
  ClickTarget popup_target(ws);
  const Rect popup_bounds{600, 100, 700, 200};
  WindowId popup = ws->Create(
      WindowParams{"popup", popup_bounds, kStylePopup | kStylePerPixelAlpha, w, &popup_target});
  ASSERT_NE(popup, kNoWindow);
  ws->Show(popup, ShowCommand::kShowNoActivate);
  ws->UpdateWindow(popup);
  EXPECT_EQ(popup_target.paints, 1);
  EXPECT_EQ(ShownPixel(popup_bounds, {30, 30}, 0x00FF00), 0x00FF00u);
  ws->Destroy(w);
  EXPECT_FALSE(ws->IsWindow(popup));
}

}  // namespace
}  // namespace platform
