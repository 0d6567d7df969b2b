#include "uilib/keyboard/CTextArea.h"

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/keyboard/CentredText.h"

namespace tumi {

CTextArea::CTextArea(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                     int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

void CTextArea::SetTransparent(int alpha1, int alpha2, ColorRef fill) {
  alpha1_ = alpha1;
  alpha2_ = alpha2;
  fill_ = fill;
  UpdateControl(1, 0);
}

void CTextArea::SetFrame(int framed, Argb color, int /*ignored*/) {
  framed_ = framed;
  frame_color_ = color;
  UpdateControl(1, 0);
}

void CTextArea::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    Rect local{0, 0, w, h};
    Argb fill = ArgbFromColorRef(fill_, 255);
    if (framed_) {
      MRender::DrawColor(g, local, frame_color_);
      MRender::DrawColor(g, local.Inset(1, 1), fill);
    } else {
      MRender::DrawColor(g, local, fill);
    }
    MRender::DrawString(g, title_, local, GetFontSpec(), CentredText(rendering_hint_), text_color_);
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
