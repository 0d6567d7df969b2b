#pragma once
// A real X server for UI tests: a private Xvfb on a display number it picks
// itself, the SDL window system on it, input injected through XTest and the
// screen read back. DISPLAY points at the server while the object lives.
//
// Xvfb is started with -terminate, so it also ends when the test process dies
// and its connections close: no server is left behind in any case.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/system/Clock.h"
#include "platform/window/Geometry.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/testing/Screenshot.h"

struct _XDisplay;

namespace platform {

class TestDisplay {
 public:
  enum class MouseButton : unsigned { kLeft = 1, kMiddle = 2, kRight = 3 };

  // Whether Xvfb is installed; tests skip without it.
  static bool Available();

  TestDisplay() = default;
  ~TestDisplay();
  TestDisplay(const TestDisplay&) = delete;
  TestDisplay& operator=(const TestDisplay&) = delete;

  // Starts the server with one screen of that size and the SDL window system
  // on it. False, with the reason in *why, when either cannot start.
  bool Start(int width, int height, std::string* why);
  // Destroys the window system, stops the server and puts DISPLAY back.
  void Stop();

  const std::string& Name() const { return name_; }  // ":N"
  WindowSystem& System() { return *system_; }
  bool Running() const { return system_ != nullptr; }

  // Input as the X server sees it from a device, in screen coordinates. Each
  // call is flushed to the server; the window system reads it on its next Pump.
  bool MovePointer(Point screen);
  bool Button(MouseButton button, bool press);
  // Moves there, presses and releases.
  bool Click(Point screen, MouseButton button = MouseButton::kLeft);
  // An X key symbol name: "Return", "Escape", "a", "F4", "Alt_L".
  bool Key(const std::string& keysym, bool press);
  bool TapKey(const std::string& keysym);

  // What the server shows in a screen rectangle (clipped to the screen).
  Screenshot Grab(const Rect& screen);
  // The pixels of a window as shown on the screen.
  Screenshot GrabWindow(WindowId window);

  // Pumps the window system until `done` holds or the time is up (real time;
  // the server runs beside us). Returns whether `done` held.
  bool PumpUntil(const std::function<bool()>& done,
                 Milliseconds timeout = std::chrono::milliseconds{3000});
  // Pumps until the screen pixel is `rgb` (0x00RRGGBB) or the time is up;
  // the last pixel seen.
  std::uint32_t WaitForPixel(Point screen, std::uint32_t rgb,
                             Milliseconds timeout = std::chrono::milliseconds{3000});
  // Pumps until the X server has taken everything sent so far and the
  // window system has handled what came back.
  void Settle();

 private:
  bool StartServer(int width, int height, std::string* why);
  void RestoreEnvironment();

  int server_pid_ = -1;
  std::string name_;
  _XDisplay* x_ = nullptr;  // our own connection, for XTest and grabs
  std::unique_ptr<WindowSystem> system_;
  SteadyClock clock_;
  bool had_display_ = false;
  std::string old_display_;
  bool had_driver_ = false;
  std::string old_driver_;
};

}  // namespace platform
