#pragma once
// Creating, placing and painting windows. UI thread only, except IsWindow and
// Invalidate, which any thread may call.
//
// Every window is drawn from a Cairo ARGB32 image surface of its client size
// that the UI code paints into. Invalidate only marks damage; when the UI
// thread has no other message to handle it sends kPaint to each window with
// damage, and after the handler returns shows the damaged part on screen.
#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/Message.h"

namespace platform {

// Window style bits. The kind is one of the first three; the rest combine.
enum WindowStyle : std::uint32_t {
  kStyleTopLevel = 0,       // a borderless application window with a taskbar entry
  kStylePopup = 1u << 0,    // menus, drop-downs, tooltips: no taskbar entry, placed by us
  kStyleTool = 1u << 1,     // a utility window (loading window, bubbles)
  kStyleTopmost = 1u << 2,  // stays above ordinary windows
  // Per-pixel alpha: the surface's alpha shows the desktop through, where the
  // display offers it (SupportsPerPixelAlpha); elsewhere the window is opaque.
  kStylePerPixelAlpha = 1u << 3,
  kStyleResizable = 1u << 4,
  kStyleNoActivate = 1u << 5,  // showing it never takes the focus
  // Clicks pass through to what lies below (drop shadows), where the display
  // can do that.
  kStyleInputTransparent = 1u << 6,
};

// Show commands, with the numbers the UI code passes.
enum class ShowCommand : int {
  kHide = 0,
  kShowNormal = 1,
  kShowMinimized = 2,
  kMaximize = 3,
  kShowNoActivate = 4,
  kShow = 5,
  kMinimize = 6,
  kRestore = 9,
};

struct WindowParams {
  std::string title;
  Rect bounds;  // screen coordinates; the window has no frame, so this is also the client area
  std::uint32_t style = kStyleTopLevel;
  WindowId owner = kNoWindow;         // stays above its owner and is destroyed with it
  MessageHandler* handler = nullptr;  // must outlive the window; may be null
};

struct PaintContext {
  cairo_surface_t* surface = nullptr;  // owned by the window; valid until it is resized
  Rect damage;                         // client coordinates; empty outside kPaint
};

class Windows {
 public:
  virtual ~Windows() = default;

  // Creates a hidden window and sends it kCreate. kNoWindow on failure.
  virtual WindowId Create(const WindowParams& params) = 0;
  // Destroys owned windows first, then sends kDestroy and kNcDestroy, drops the
  // window's queued messages, timers, capture and focus. False when unknown.
  virtual bool Destroy(WindowId window) = 0;
  virtual bool IsWindow(WindowId window) const = 0;  // any thread

  // Returns whether the window was visible before.
  virtual bool Show(WindowId window, ShowCommand command) = 0;
  virtual bool IsVisible(WindowId window) const = 0;
  virtual bool IsMinimized(WindowId window) const = 0;
  virtual bool IsMaximized(WindowId window) const = 0;
  // Moves and sizes the window; sends kMove and kSize for what changed.
  virtual bool SetBounds(WindowId window, const Rect& screen) = 0;
  virtual Rect Bounds(WindowId window) const = 0;  // screen; empty when unknown
  virtual Point ClientToScreen(WindowId window, Point client) const = 0;
  virtual Point ScreenToClient(WindowId window, Point screen) const = 0;
  virtual bool SetTitle(WindowId window, const std::string& title) = 0;
  virtual std::string Title(WindowId window) const = 0;
  // A disabled window gets no mouse or keyboard input (modal loops disable
  // the owner). Returns whether it was enabled before.
  virtual bool Enable(WindowId window, bool enable) = 0;
  virtual bool IsEnabled(WindowId window) const = 0;
  virtual bool SetOpacity(WindowId window, std::uint8_t alpha) = 0;  // whole window
  virtual bool Raise(WindowId window) = 0;  // to the top, and active unless kStyleNoActivate
  virtual WindowId Owner(WindowId window) const = 0;
  virtual std::uint32_t Style(WindowId window) const = 0;
  virtual std::vector<WindowId> AllWindows() const = 0;  // in creation order
  virtual bool SupportsPerPixelAlpha() const = 0;

  // Any thread: adds the rectangle (the whole client area when nullopt) to the
  // window's damage and wakes the UI thread. Never paints by itself.
  void Invalidate(WindowId window, std::optional<Rect> client = std::nullopt) {
    InvalidateRect(window, client);
  }
  virtual void Validate(WindowId window) = 0;
  // The bounding box of the damage not yet painted; nullopt when none.
  virtual std::optional<Rect> UpdateRect(WindowId window) const = 0;
  // During kPaint: the surface and the damage being painted. Outside it the
  // damage is empty and drawing shows only after an Invalidate.
  virtual PaintContext BeginPaint(WindowId window) = 0;
  // Paints the pending damage now instead of when the queue runs dry.
  virtual void UpdateWindow(WindowId window) = 0;

  // What a handler returns for a message it does not take: kClose destroys the
  // window, kSysCommand with kScClose sends kClose, kEraseBackground answers
  // 1, everything else 0.
  virtual std::intptr_t DefaultHandling(const Message& message) = 0;

  // Files dropped on a window that accepts them arrive as kDropFiles; the
  // paths are taken once with its drop id.
  virtual void AcceptFiles(WindowId window, bool accept) = 0;
  virtual std::vector<std::string> TakeDroppedFiles(std::uintptr_t drop_id) = 0;

 protected:
  virtual void InvalidateRect(WindowId window, std::optional<Rect> client) = 0;
};

}  // namespace platform
