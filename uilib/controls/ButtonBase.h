#pragma once
// What every button of the library shares: a visual state (0 normal, 1 hover,
// 2 pressed, 3 disabled; check boxes add 4 to 7 for the checked states), each
// state a slot of the render cache, so a state change only copies another
// slot. Buttons with gestures of their own write them; the others use the
// plain ones below.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

enum ButtonState : int {
  kStateNormal = 0,
  kStateHover = 1,
  kStatePressed = 2,
  kStateDisabled = 3,
  kStateChecked = 4,  // added to the four above
};

inline constexpr Argb kDisabledTextColor = 0xFF808080;

class ButtonBase : public MControlFont {
 public:
  ButtonBase(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible,
             int enabled);

  int GetState() const { return state_; }

 protected:
  // Shows another slot (a repaint with redraw 0); true when the state changed.
  bool SetState(int state);
  // Runs after every state change.
  virtual void OnStateChanged(int /*old_state*/, int /*new_state*/) {}
  static void ShowHandCursor(bool hand);
  // The plain button's gestures, which most buttons share. The look follows
  // the pointer (hover inside, normal outside; the hand cursor over the button
  // when asked) unless a press is held; answers whether the look changed.
  int FollowPointer(Point p, bool hand_cursor);
  // A press inside an enabled button: the pressed look and notification 1.
  int PressInside(Point p);
  // The release: hover inside, normal outside, and notification 2 when a
  // press ends inside.
  int ReleaseAt(Point p);
  // The render cache with `slots` control-sized slots, built by DrawSlot when
  // stale, then the slot `shown` copied to the window.
  void DrawSlots(cairo_t* cr, int slots, int shown);
  virtual void DrawSlot(cairo_t* /*cr*/, int /*slot*/, const Rect& /*box*/) {}
  // Frame `frame` of the strip image as a nine-patch over the box.
  void DrawFrameNinePatch(cairo_t* cr, int frame, const Rect& box, int corner) const;
  // Frame `frame` of the strip image at its own size, at the box's left,
  // vertically centred when asked.
  void DrawFrameNatural(cairo_t* cr, int frame, const Rect& box, bool centre_vertically) const;

  int state_ = kStateNormal;
};

// Unchecks the other buttons of the same class and group among the button's
// siblings (the parent control's children, or the dialog's top-level
// controls). Buttons of classes that reset only usable siblings pass
// usable_only.
template <typename Button>
void UncheckGroup(Button& self, bool usable_only);

}  // namespace tumi

#include "uilib/controls/ButtonGroup.inl"
