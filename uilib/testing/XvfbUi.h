#pragma once
// The UI library on a real X server for the length of a test: a private Xvfb
// with the SDL window system on it is installed in Manager, the way HeadlessUi
// installs the headless one, and everything is put back afterwards. Input goes
// through the X server (XTest) and screenshots come from what it shows.
//
//   XvfbUi ui;
//   if (!ui.Started()) GTEST_SKIP() << ui.Why();   // no Xvfb on this machine
//
// Time is real here: wait with PumpUntil, never with fixed sleeps.
#include <chrono>
#include <functional>
#include <string>

#include "platform/window/testing/TestDisplay.h"
#include "uilib/core/Rect.h"
#include "uilib/testing/TempFolder.h"

namespace tumi::testing {

class XvfbUi {
 public:
  enum class Skin {
    kScratch,  // an empty scratch program folder that the test fills with fixtures
    kProgram,  // the build's program folder with the real skin and fonts
  };

  explicit XvfbUi(Skin skin = Skin::kScratch, int screen_width = 1280, int screen_height = 720);
  ~XvfbUi();
  XvfbUi(const XvfbUi&) = delete;
  XvfbUi& operator=(const XvfbUi&) = delete;

  // False when the server or the window system could not start (Why says
  // why); a test then skips when Xvfb is missing and fails otherwise.
  bool Started() const { return display_.Running(); }
  const std::string& Why() const { return why_; }
  static bool Available() { return platform::TestDisplay::Available(); }

  platform::TestDisplay& Display() { return display_; }
  platform::WindowSystem& System() { return display_.System(); }

  // "<program folder>/skins/theme1"; skin image names are relative to it.
  std::string SkinFolder() const;
  std::string SkinFile(const std::string& name) const;
  // Writes a strip of `count` frames of SkinFixture::StateColor(i).
  bool AddStrip(const std::string& name, int frame_width, int frame_height, int count);

  int Pump() { return System().Pump(); }
  bool PumpUntil(const std::function<bool()>& done,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds{3000}) {
    return display_.PumpUntil(done, timeout);
  }

  // Input at a point of a window's client area, through the X server; each
  // waits until the window system has read it.
  bool MoveTo(platform::WindowId window, Point client);
  bool Click(platform::WindowId window, Point client);
  bool TapKey(const std::string& keysym);

  // The pixel the screen shows at a client point of the window (0x00RRGGBB),
  // once it is `rgb` or when the wait is over.
  std::uint32_t WaitForPixel(platform::WindowId window, Point client, std::uint32_t rgb);
  // The window as the screen shows it.
  platform::Screenshot Shot(platform::WindowId window) { return display_.GrabWindow(window); }
  // Saves the window's screenshot as "<build folder>/screenshots/<name>.png";
  // the path, or empty when it could not be written.
  std::string SaveScreenshot(platform::WindowId window, const std::string& name);
  // The same for a screenshot taken already.
  static std::string SaveScreenshot(const platform::Screenshot& shot, const std::string& name);
  static std::string ScreenshotFolder();

 private:
  platform::Point ToScreen(platform::WindowId window, Point client);

  TempFolder folder_;
  platform::TestDisplay display_;
  std::string why_;
  platform::WindowSystem* previous_system_;
  std::string previous_folder_;
};

}  // namespace tumi::testing
