#pragma once
// A filled rectangle, optionally framed by one pixel, with a centred title.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class CTextArea : public MControlFont {
 public:
  CTextArea(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible,
            int enabled);

  const char* GetClassNameW() const override { return "CTextArea"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;

  // The fill is a colour reference and always opaque; the two alphas are kept
  // for callers that read them back.
  void SetTransparent(int alpha1, int alpha2, ColorRef fill);
  void SetFrame(int framed, Argb color, int ignored = 0);
  int GetAlpha1() const { return alpha1_; }
  int GetAlpha2() const { return alpha2_; }

 private:
  int alpha1_ = 80;
  int alpha2_ = 80;
  ColorRef fill_ = 0xFFFFFF;
  int framed_ = 0;
  Argb frame_color_ = 0xFF050505;
};

}  // namespace tumi
