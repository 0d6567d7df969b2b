#pragma once
// A plain decoration rectangle: a veil of the fill colour whose opacity runs
// from the start alpha at the top to the end alpha at the bottom, or with
// both alphas 0 an opaque fill, optionally framed.
#include "uilib/core/MControl.h"

namespace tumi {

class CArea : public MControl {
 public:
  CArea(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);

  const char* GetClassNameW() const override { return "CArea"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;

  // Alphas are 0 to 255 (clamped); the colour is a colour reference.
  void SetTransparent(int start_alpha, int end_alpha, ColorRef color);
  void SetFrame(int framed, Argb color, int ignored = 0);

 private:
  int direction_ = 1;
  int start_alpha_ = 80;
  int end_alpha_ = 80;
  ColorRef fill_ = 0xFFFFFF;
  int framed_ = 0;
  Argb frame_color_ = 0xFF050505;
};

}  // namespace tumi
