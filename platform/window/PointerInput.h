#pragma once
// Mouse capture, hover and leave tracking and the cursor. UI thread only.
#include <cstdint>

#include "platform/system/Clock.h"
#include "platform/window/Message.h"

namespace platform {

enum class MouseButton { kLeft, kRight, kMiddle };

enum class CursorShape { kArrow, kIBeam, kWait, kCross, kHand, kSizeWE, kSizeNS, kSizeAll, kNo };

// TrackMouse flags, with the classic values.
enum TrackFlags : std::uint32_t {
  kTrackHover = 0x1,  // one kMouseHover after the pointer rests for the hover time
  kTrackLeave = 0x2,  // one kMouseLeave when the pointer leaves the window
  kTrackCancel = 0x80000000,
};

inline constexpr Milliseconds kDefaultHoverTime{400};

class PointerInput {
 public:
  virtual ~PointerInput() = default;
  // Mouse messages go to this window wherever the pointer is, with client
  // coordinates that may lie outside it. The window that loses the capture
  // gets kCaptureChanged. Returns the previous capture window.
  virtual WindowId SetCapture(WindowId window) = 0;
  virtual bool ReleaseCapture() = 0;
  virtual WindowId Capture() const = 0;
  // Requests one kMouseLeave and/or kMouseHover; both requests end once their
  // message is posted. Asking for leave while the pointer is outside the
  // window posts kMouseLeave at once.
  bool TrackMouse(WindowId window, std::uint32_t flags,
                  Milliseconds hover_time = kDefaultHoverTime) {
    return TrackMouseEvent(window, flags, hover_time);
  }
  virtual void SetCursor(CursorShape shape) = 0;
  virtual Point CursorPos() const = 0;  // screen coordinates, last known
  virtual WindowId WindowUnderPointer() const = 0;
  // Called on a left-button press: the window follows the pointer until the
  // button is released, sending kMove as it goes and kExitSizeMove at the
  // end; the window gets no mouse messages meanwhile, not even the release.
  // False when the left button is not down.
  virtual bool BeginMoveDrag(WindowId window) = 0;

 protected:
  virtual bool TrackMouseEvent(WindowId window, std::uint32_t flags, Milliseconds hover_time) = 0;
};

}  // namespace platform
