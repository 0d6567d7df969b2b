#pragma once
// A button that is only its title, in one colour per state.
#include <array>
#include <string>

#include "uilib/controls/ButtonBase.h"

namespace tumi {

class CTextButton : public ButtonBase {
 public:
  CTextButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
              int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CTextButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  // Normal, hover, pressed and disabled.
  void SetTextButtonColor(Argb normal, Argb hover, Argb pressed, Argb disabled);

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;

 private:
  std::array<Argb, 4> colors_{0xFECCCCCC, 0xFEFEDB00, 0xFEA0A0A0, 0xFE808080};
};

}  // namespace tumi
