#pragma once
// A check box: eight state frames (the four button states, then the same
// four checked), the frame at the left and the title beside it. A completed
// click flips the check and reports 2; Space while focused, or the hot key,
// flips it and reports 7 with the new check.
#include <string>

#include "uilib/controls/ButtonBase.h"

namespace tumi {

class CCheckButton : public ButtonBase {
 public:
  CCheckButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
               int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CCheckButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int SetControlFocus(int focus) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlKeyDown(int key, int repeat, int modifiers) override;
  // The picture changes without a repaint request; the next paint shows it.
  int SetImage(const std::string& name, int frame_count) override;
  int SetImage(const std::string& name) { return SetImage(name, 8); }

  int GetCheck() const { return check_; }
  // Only while enabled; returns the check.
  virtual int SetCheck(int check);

 protected:
  // State `base` (0 to 3) as shown with the current check.
  int Visual(int base) const { return base + (check_ ? kStateChecked : 0); }
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;
  // A completed click and a key press.
  virtual void OnClickToggle() { check_ = check_ ? 0 : 1; }
  virtual void OnKeyToggle();

  int check_ = 0;
};

}  // namespace tumi
