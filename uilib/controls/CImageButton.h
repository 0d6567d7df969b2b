#pragma once
// A button drawn from its strip frames at their own size (no stretching),
// with an optional icon; it can show its title as a bubble tip while hovered.
#include <string>

#include "uilib/controls/MButton.h"

namespace tumi {

enum AIRBLADDER_MODE : int {
  kAirBladderNone = 0,
  kAirBladderRight = 1,  // the tip points at the button's right edge
  kAirBladderLeft = 2,
};

class CImageButton : public MButton {
 public:
  using MButton::MButton;

  const char* GetClassNameW() const override { return "CImageButton"; }
  void SetAlrBladderMode(int mode) { bubble_mode_ = mode; }
  int GetAlrBladderMode() const { return bubble_mode_; }

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;
  void OnStateChanged(int old_state, int new_state) override;

 private:
  int bubble_mode_ = kAirBladderNone;
};

}  // namespace tumi
