#pragma once
// The seam between the window core and a display system. The core owns the
// shared state (windows, queue, timers, capture, focus, tracking) and turns
// what a backend reports into messages; a backend only drives its display.
#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/window/Displays.h"
#include "platform/window/KeyboardInput.h"
#include "platform/window/PointerInput.h"
#include "platform/window/Windows.h"

namespace platform {

// What a backend reports, on the UI thread, in client coordinates of the
// window the display found the pointer or the focus in.
class BackendEvents {
 public:
  virtual void OnPointerMove(WindowId window, Point client) = 0;
  virtual void OnPointerLeave(WindowId window) = 0;
  virtual void OnButton(WindowId window, MouseButton button, bool down, Point client) = 0;
  virtual void OnWheel(WindowId window, int delta, Point client) = 0;
  virtual void OnKey(WindowId window, int virtual_key, int scan_code, bool extended, bool down) = 0;
  virtual void OnText(WindowId window, const std::string& utf8) = 0;
  virtual void OnComposition(WindowId window, const Composition& composition) = 0;
  virtual void OnFocus(WindowId window, bool gained) = 0;
  virtual void OnCloseRequest(WindowId window) = 0;
  virtual void OnBoundsChanged(WindowId window, const Rect& screen) = 0;
  virtual void OnMinimized(WindowId window, bool minimized) = 0;
  virtual void OnExposed(WindowId window) = 0;
  virtual void OnDropFiles(WindowId window, const std::vector<std::string>& paths,
                           Point client) = 0;

 protected:
  ~BackendEvents() = default;
};

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  virtual std::string_view Name() const = 0;

  virtual bool CreateNativeWindow(WindowId window, const WindowParams& params) = 0;
  virtual void DestroyNativeWindow(WindowId window) = 0;
  virtual void ShowNativeWindow(WindowId window, ShowCommand command) = 0;
  virtual void SetNativeBounds(WindowId window, const Rect& screen) = 0;
  virtual void SetNativeTitle(WindowId window, const std::string& title) = 0;
  virtual bool SetNativeOpacity(WindowId window, std::uint8_t alpha) = 0;
  virtual void RaiseNativeWindow(WindowId window, bool activate) = 0;
  // Shows the damaged part of the window's surface.
  virtual void Present(WindowId window, cairo_surface_t* surface, const Rect& damage) = 0;

  virtual void SetCursorShape(CursorShape shape) = 0;
  virtual void CaptureMouse(bool capture) = 0;
  virtual void StartTextInput(WindowId window, const Rect& caret_client) = 0;
  virtual void StopTextInput() = 0;
  virtual bool SetClipboardText(const std::string& text) = 0;
  virtual std::string ClipboardText() const = 0;
  virtual std::vector<Monitor> Monitors() const = 0;
  // Where the pointer is on the screen now, when the display can tell
  // (client points of a window being moved lag behind the move).
  virtual std::optional<Point> GlobalPointer() const = 0;
  virtual bool SupportsPerPixelAlpha() const = 0;

  // Reports what input is pending, then waits for more until the timeout
  // (for ever when nullopt) or a Wake. False when the display failed.
  virtual bool Wait(std::optional<Milliseconds> timeout, BackendEvents& events) = 0;
  virtual void Wake() = 0;  // any thread
};

}  // namespace platform
