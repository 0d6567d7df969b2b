#pragma once
// A window system without a display: each window is an off-screen surface,
// time is a FakeClock, and a test plays the display's part. Input injected
// here goes through the same translation as real input (capture, activation,
// hover and leave tracking, double clicks, disabled windows) and becomes
// queued messages that Pump or a run loop dispatches. Injection is UI thread
// only; everything else follows WindowSystem's thread rules.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/window/ManualDialogTimer.h"
#include "platform/window/WindowCore.h"
#include "platform/window/headless/HeadlessBackend.h"

namespace platform {

class HeadlessWindowSystem final : public WindowCore {
 public:
  // One monitor of 1920 x 1080 with a work area 40 pixels short at the bottom.
  static std::unique_ptr<HeadlessWindowSystem> Make();

  // Pointer input at a client point of the window the pointer is over (a
  // capture redirects it).
  void MovePointer(WindowId window, Point client) { Events().OnPointerMove(window, client); }
  // The pointer left the window for a place outside every window of ours.
  void PointerLeft(WindowId window) { Events().OnPointerLeave(window); }
  void PressButton(WindowId window, MouseButton button, Point client) {
    Events().OnButton(window, button, true, client);
  }
  void ReleaseButton(WindowId window, MouseButton button, Point client) {
    Events().OnButton(window, button, false, client);
  }
  void Click(WindowId window, Point client, MouseButton button = MouseButton::kLeft) {
    PressButton(window, button, client);
    ReleaseButton(window, button, client);
  }
  // 120 per notch, positive away from the user.
  void Wheel(WindowId window, int delta, Point client) { Events().OnWheel(window, delta, client); }

  // Keyboard input to the focus window. A second press without a release is
  // an auto-repeat.
  void PressKey(int virtual_key) { Events().OnKey(Focus(), virtual_key, 0, false, true); }
  void ReleaseKey(int virtual_key) { Events().OnKey(Focus(), virtual_key, 0, false, false); }
  void TypeText(const std::string& utf8) { Events().OnText(Focus(), utf8); }
  // An input method's composition; an empty text ends it.
  void Compose(const std::string& utf8, int cursor) {
    Events().OnComposition(Focus(), Composition{utf8, cursor, 0});
  }

  // What the desktop does to windows.
  void ActivateFromDesktop(WindowId window) { Events().OnFocus(window, true); }
  void DeactivateApp() {
    if (WindowId active = Focus()) Events().OnFocus(active, false);
  }
  void RequestClose(WindowId window) { Events().OnCloseRequest(window); }
  void MoveFromDesktop(WindowId window, const Rect& screen) {
    Events().OnBoundsChanged(window, screen);
  }
  void DropFiles(WindowId window, const std::vector<std::string>& paths, Point client) {
    Events().OnDropFiles(window, paths, client);
  }

  // Window timers, hover tracking and double clicks follow this clock.
  FakeClock& Time() { return *fake_clock_; }
  // Posts kTimer for a running window timer now, as if it were due.
  bool FireTimer(WindowId window, std::uintptr_t timer_id);
  // One tick of every running dialog timer, on this thread; the count.
  int FireDialogTimers() { return manual_timer_->FireAll(); }
  ManualDialogTimer& DialogTimers() { return *manual_timer_; }

  void SetMonitors(const std::vector<Monitor>& monitors) { headless_->SetMonitors(monitors); }
  void SetScreen(Size size, const Rect& work_area) {
    SetMonitors({Monitor{Rect::FromSize({0, 0}, size), work_area}});
  }

  // What the display shows: a pixel (ARGB32, premultiplied) of the last
  // presented frame, how many frames were presented, the frame as PNG.
  std::uint32_t ShownPixel(WindowId window, Point client) const {
    return headless_->ShownPixel(window, client);
  }
  int PresentCount(WindowId window) const { return headless_->PresentCount(window); }
  bool SaveShownPng(WindowId window, const std::string& path) const {
    return headless_->SaveShownPng(window, path);
  }
  std::uint8_t ShownOpacity(WindowId window) const { return headless_->Opacity(window); }
  CursorShape CurrentCursor() const { return headless_->Cursor(); }
  bool TextInputActive() const { return headless_->TextInputActive(); }
  Rect TextInputCaret() const { return headless_->TextInputCaret(); }

  // A run loop that runs dry calls the idle handler, which may inject input
  // or advance time; when it returns false the display counts as failed and
  // the loop ends with an error. Without a handler a dry loop waits for a
  // post from another thread.
  void SetIdleHandler(std::function<bool()> handler) {
    headless_->SetIdleHandler(std::move(handler));
  }
  void FailNextWait() { headless_->FailNextWait(); }

 private:
  HeadlessWindowSystem(std::unique_ptr<HeadlessBackend> backend,
                       std::unique_ptr<ManualDialogTimer> dialog_timer,
                       std::unique_ptr<FakeClock> clock, HeadlessBackend* headless,
                       ManualDialogTimer* manual_timer, FakeClock* fake_clock)
      : WindowCore(std::move(backend), std::move(dialog_timer), std::move(clock)),
        headless_(headless),
        manual_timer_(manual_timer),
        fake_clock_(fake_clock) {}

  HeadlessBackend* headless_;
  ManualDialogTimer* manual_timer_;
  FakeClock* fake_clock_;
};

}  // namespace platform
