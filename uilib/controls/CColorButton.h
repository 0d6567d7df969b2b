#pragma once
// A colour swatch: the colour (a colour reference) with a hover outline, or
// framed in a light and a dark border. A press checks it and unchecks the
// usable swatches of its group; a checked swatch shows its pressed slot.
#include <string>

#include "uilib/controls/ButtonBase.h"

namespace tumi {

class CColorButton : public ButtonBase {
 public:
  CColorButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
               int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "ColorButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  ColorRef GetColor() const { return color_; }
  void SetColor(ColorRef color);
  int GetCheck() const { return check_; }
  // Only while enabled; checking unchecks the group. Returns the check.
  int SetCheck(int check);
  // Check and state, without the group and whether enabled or not.
  void SetControlCheck(int check);
  void SetGroupName(const std::string& name) { group_ = name; }
  const std::string& GetGroupName() const { return group_; }
  void ResetGroupCheck() { UncheckGroup(*this, true); }
  void SetVisibleBorder(int visible);

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;

 private:
  ColorRef color_ = 0;
  int check_ = 0;
  int border_ = 0;
  std::string group_;
};

}  // namespace tumi
