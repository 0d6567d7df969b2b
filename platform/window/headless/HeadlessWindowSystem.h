#pragma once
// A window system without a display: each window is an off-screen surface,
// time is a FakeClock, and a test plays the display's part. Input injected
// here goes through the same translation as real input (capture, hover and
// leave tracking, double clicks, disabled windows), and becomes queued
// messages that Pump or a run loop dispatches. Everything here is UI thread
// only except what WindowSystem allows from other threads.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/window/WindowSystem.h"

namespace platform {

enum class MouseButton { kLeft, kRight, kMiddle };

class HeadlessWindowSystem : public WindowSystem {
 public:
  // One monitor of 1920 x 1080 with a work area 40 pixels short at the bottom.
  static std::unique_ptr<HeadlessWindowSystem> Create();

  // Pointer input at a client point of a window (where the display found the
  // pointer; a capture redirects it).
  virtual void MovePointer(WindowId window, Point client) = 0;
  virtual void PointerLeft(WindowId window) = 0;  // the pointer left it for no window of ours
  virtual void PressButton(WindowId window, MouseButton button, Point client) = 0;
  virtual void ReleaseButton(WindowId window, MouseButton button, Point client) = 0;
  void Click(WindowId window, Point client, MouseButton button = MouseButton::kLeft) {
    PressButton(window, button, client);
    ReleaseButton(window, button, client);
  }
  // 120 per notch, positive away from the user.
  virtual void Wheel(WindowId window, int delta, Point client) = 0;

  // Keyboard input to the focus window.
  virtual void PressKey(int virtual_key) = 0;  // a second press without release repeats
  virtual void ReleaseKey(int virtual_key) = 0;
  virtual void TypeText(const std::string& utf8) = 0;
  // An input method's composition; an empty text ends it without committing.
  virtual void Compose(const std::string& utf8, int cursor) = 0;

  // What the desktop does to windows.
  virtual void ActivateFromDesktop(WindowId window) = 0;  // the user clicked it into focus
  virtual void DeactivateApp() = 0;                       // another program took the focus
  virtual void RequestClose(WindowId window) = 0;         // the close button or a shortcut
  virtual void MoveFromDesktop(WindowId window, const Rect& screen) = 0;
  virtual void DropFiles(WindowId window, const std::vector<std::string>& paths, Point client) = 0;

  // Time: window timers, hover tracking and double clicks follow this clock.
  virtual FakeClock& Time() = 0;
  // Posts kTimer for a running window timer now, as if it were due.
  virtual bool FireTimer(WindowId window, std::uintptr_t timer_id) = 0;
  // Runs one tick of every running dialog timer, on this thread; the count.
  virtual int FireDialogTimers() = 0;

  virtual void SetMonitors(const std::vector<Monitor>& monitors) = 0;
  void SetScreen(Size size, const Rect& work_area) {
    SetMonitors({Monitor{Rect::FromSize({0, 0}, size), work_area}});
  }

  // What the display shows: the pixel (ARGB32, premultiplied) of the last
  // presented frame, how many frames were presented, and the frame as PNG.
  virtual std::uint32_t ShownPixel(WindowId window, Point client) const = 0;
  virtual int PresentCount(WindowId window) const = 0;
  virtual bool SaveShownPng(WindowId window, const std::string& path) const = 0;
  virtual CursorShape CurrentCursor() const = 0;
  virtual bool TextInputActive() const = 0;
  virtual Rect TextInputCaret() const = 0;

  // Waiting. A run loop that runs dry calls the idle handler, which may
  // inject input or advance time; when it returns false the display is
  // treated as failed. Without a handler the loop waits for another thread.
  virtual void SetIdleHandler(std::function<bool()> handler) = 0;
  virtual void FailNextWait() = 0;  // the next wait reports a display error
};

}  // namespace platform
