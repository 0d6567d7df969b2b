#pragma once
// Focus, key state, text input and input-method composition. UI thread only.
//
// A key press is kKeyDown (kSysKeyDown while Alt is held) with the virtual
// key in wparam; text arrives as kChar, one Unicode code point each, and so do
// Backspace (8), Tab (9), Enter (13) and Escape (27). While an input method
// composes, the focus window gets kImeStartComposition, kImeComposition for
// every change and kImeEndComposition; the committed text then comes as kChar.
#include <string>

#include "platform/window/Message.h"

namespace platform {

struct Composition {
  std::string text;  // UTF-8, empty when nothing is being composed
  int cursor = 0;    // in code points
  int selection_length = 0;
  friend bool operator==(const Composition&, const Composition&) = default;
};

class KeyboardInput {
 public:
  virtual ~KeyboardInput() = default;
  // Makes the window the keyboard focus and, for a top-level or popup window,
  // the active one: the old focus gets kKillFocus (and kNcActivate 0 when the
  // activation moves), the new one kNcActivate 1 and kSetFocus. Returns the
  // previous focus window.
  virtual WindowId SetFocus(WindowId window) = 0;
  virtual WindowId Focus() const = 0;
  virtual WindowId ActiveWindow() const = 0;
  // Whether the key is down now, as the keyboard events so far left it; the
  // generic kShift, kControl and kMenu follow either side.
  virtual bool IsKeyDown(int virtual_key) const = 0;
  // Text input for the focus window; the caret rectangle (client coordinates)
  // places the input method's candidate window.
  virtual void StartTextInput(WindowId window, const Rect& caret) = 0;
  virtual void StopTextInput() = 0;
  virtual Composition CurrentComposition() const = 0;
};

}  // namespace platform
