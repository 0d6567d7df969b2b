// The SDL backend on a real X server: a private Xvfb that the test starts and
// stops, clicks injected with XTest, and a screenshot of the window saved as
// PNG in the build folder. Skipped when Xvfb is not installed.
#include <cairo.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/window/WindowSystem.h"
#include "platform/window/testing/RecordingHandler.h"

// Last: Xlib's macros (None, Bool, Status) would break the headers above.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// clang-format on

extern char** environ;

namespace platform {
namespace {

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// An Xvfb on a free display number, which it reports through -displayfd. It
// ends with its last client, so even a test that dies leaves none behind.
class Xvfb {
 public:
  bool Start(std::string* why) {
    std::string program = FindProgram("Xvfb");
    if (program.empty()) {
      *why = "Xvfb is not installed";
      return false;
    }
    int fds[2];
    if (pipe(fds) != 0) return false;
    std::string fd = std::to_string(fds[1]);
    const char* argv[] = {program.c_str(), "-displayfd", fd.c_str(), "-screen",    "0",
                          "1024x768x24",   "-nolisten",  "tcp",      "-terminate", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    int rc =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      close(fds[0]);
      pid_ = 0;
      *why = "Xvfb could not be started";
      return false;
    }
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
      *why = "Xvfb reported no display";
      return false;
    }
    display_ = ":" + number;
    return true;
  }
  ~Xvfb() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = 0;
  std::string display_;
};

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

// The window's pixels as the X server shows them, as a Cairo image.
cairo_surface_t* GrabScreen(Display* display, const Rect& area) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), area.left, area.top, area.Width(),
                            area.Height(), AllPlanes, ZPixmap);
  if (!image) return nullptr;
  cairo_surface_t* out =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.Width(), area.Height());
  unsigned char* data = cairo_image_surface_get_data(out);
  int stride = cairo_image_surface_get_stride(out);
  for (int y = 0; y < area.Height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < area.Width(); ++x) row[x] = XGetPixel(image, x, y) & 0xFFFFFF;
  }
  cairo_surface_mark_dirty(out);
  XDestroyImage(image);
  return out;
}

std::uint32_t PixelOf(cairo_surface_t* surface, int x, int y) {
  const unsigned char* row =
      cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

class SdlDisplayTest : public testing::Test {
 protected:
  // The pixel the server shows, once it is the expected one or after a
  // bounded wait for the server to catch up.
  std::uint32_t ShownPixel(WindowSystem& ws, const Rect& area, Point p, std::uint32_t expected) {
    std::uint32_t pixel = 0;
    for (int attempt = 0; attempt < 200; ++attempt) {
      ws.Pump();
      cairo_surface_t* shot = GrabScreen(display_, area);
      if (!shot) return 0;
      pixel = PixelOf(shot, p.x, p.y);
      cairo_surface_destroy(shot);
      if (pixel == expected) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pixel;
  }

  void SetUp() override {
    std::string why;
    if (!xvfb_.Start(&why)) GTEST_SKIP() << why;
    const char* old = std::getenv("DISPLAY");
    if (old) old_display_ = old;
    setenv("DISPLAY", xvfb_.display().c_str(), 1);
    display_ = XOpenDisplay(xvfb_.display().c_str());
    ASSERT_NE(display_, nullptr);
  }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
    if (old_display_.empty()) {
      unsetenv("DISPLAY");
    } else {
      setenv("DISPLAY", old_display_.c_str(), 1);
    }
  }

  Xvfb xvfb_;
  Display* display_ = nullptr;
  std::string old_display_;
};

TEST_F(SdlDisplayTest, DrawsAWindowTakesAnXTestClickAndWakesForOtherThreads) {
  std::string error;
  std::unique_ptr<WindowSystem> ws;
  {
#if defined(__SANITIZE_ADDRESS__)
    // SDL's input-method setup keeps D-Bus allocations for the process's life.
    __lsan::ScopedDisabler process_lifetime;
#endif
    ws = CreateWindowSystem("sdl", &error);
  }
  ASSERT_NE(ws, nullptr) << error;
  EXPECT_EQ(ws->BackendName(), "sdl");
  ASSERT_FALSE(ws->Monitors().empty());
  EXPECT_EQ(ws->Monitors()[0].bounds, (Rect{0, 0, 1024, 768}));

  ClickTarget target(ws.get());
  const Rect bounds{100, 120, 420, 360};
  WindowId w = ws->Create(WindowParams{"Tessaro test", bounds, kStyleTopLevel, kNoWindow, &target});
  ASSERT_NE(w, kNoWindow);
  {
#if defined(__SANITIZE_ADDRESS__)
    // The first window shown sets up X input-method state that SDL keeps for
    // the display's life (a second window adds none).
    __lsan::ScopedDisabler process_lifetime;
#endif
    ws->Show(w, ShowCommand::kShow);
    ws->Pump();
  }

  // Wait (bounded) for the server to show the first frame.
  cairo_surface_t* shot = nullptr;
  for (int attempt = 0; attempt < 200; ++attempt) {
    ws->Pump();
    if (shot) cairo_surface_destroy(shot);
    shot = GrabScreen(display_, bounds);
    if (target.paints > 0 && shot && PixelOf(shot, 300, 200) == 0x0000FF) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(shot, nullptr);
  std::string png = std::string(TESSARO_PROGRAM_DIR) + "/../sdl_window_screenshot.png";
  EXPECT_EQ(cairo_surface_write_to_png(shot, png.c_str()), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(PixelOf(shot, 30, 30), 0x00FF00u);
  EXPECT_EQ(PixelOf(shot, 100, 200), 0xFF0000u);
  EXPECT_EQ(PixelOf(shot, 300, 200), 0x0000FFu);
  cairo_surface_destroy(shot);

  // A click through the X server, at client (200, 150), through a shadow-like
  // window lying over that point.
  ClickTarget over_target(ws.get());
  const Rect over{bounds.left + 150, bounds.top + 100, bounds.left + 250, bounds.top + 200};
  WindowId overlay = ws->Create(WindowParams{
      "overlay", over, kStylePopup | kStyleNoActivate | kStyleInputTransparent, w, &over_target});
  ASSERT_NE(overlay, kNoWindow);
  ws->Show(overlay, ShowCommand::kShowNoActivate);
  ASSERT_EQ(ShownPixel(*ws, over, {30, 30}, 0x00FF00), 0x00FF00u);
  ws->SetTimer(w, 1, Milliseconds{5000});
  XTestFakeMotionEvent(display_, 0, bounds.left + 200, bounds.top + 150, 0);
  XTestFakeButtonEvent(display_, 1, True, 0);
  XTestFakeButtonEvent(display_, 1, False, 0);
  XFlush(display_);
  EXPECT_EQ(ws->RunLoop().code, 1);
  std::vector<Message> down = target.Only({msg::kLButtonDown});
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(UnpackPoint(down[0].lparam), (Point{200, 150}));
  EXPECT_TRUE(over_target.Only({msg::kLButtonDown}).empty());
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
  ClickTarget popup_target(ws.get());
  WindowId popup = ws->Create(WindowParams{"popup", Rect{600, 100, 700, 200},
                                           kStylePopup | kStylePerPixelAlpha, w, &popup_target});
  ASSERT_NE(popup, kNoWindow);
  ws->Show(popup, ShowCommand::kShowNoActivate);
  ws->UpdateWindow(popup);
  EXPECT_EQ(popup_target.paints, 1);
  EXPECT_EQ(ShownPixel(*ws, Rect{600, 100, 700, 200}, {30, 30}, 0x00FF00), 0x00FF00u);
  ws->Destroy(w);
  EXPECT_FALSE(ws->IsWindow(popup));
}

}  // namespace
}  // namespace platform
