#pragma once
// A colour swatch that behaves as a button: code 1 on a press, code 2 on a
// release inside. Disabled, it is greyed out and struck through in red.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class CColorCombo : public MControlFont {
 public:
  CColorCombo(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);

  const char* GetClassNameW() const override { return "CColorCombo"; }

  void SetAreaColor(Argb color);
  Argb GetAreaColor() const { return area_color_; }
  // Kept for the owner; the swatch looks the same either way.
  void SetIsOpen(bool open) { open_ = open; }
  bool IsOpen() const { return open_; }
  int GetState() const { return state_; }

  void SetControlEnabled(int enabled) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

 private:
  void SetState(int state);

  Argb area_color_ = 0xFEFFFF00;
  int state_ = 0;
  bool open_ = false;
};

}  // namespace tumi
