#include "uilib/core/CArea.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

CArea::CArea(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

void CArea::SetTransparent(int start_alpha, int end_alpha, ColorRef color) {
  start_alpha_ = std::clamp(start_alpha, 0, 255);
  end_alpha_ = std::clamp(end_alpha, 0, 255);
  fill_ = color;
  if (visible_) UpdateControl(1, 0);
}

void CArea::SetFrame(int framed, Argb color, int /*ignored*/) {
  framed_ = framed;
  frame_color_ = color;
  if (visible_) UpdateControl(1, 0);
}

void CArea::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    Rect local{0, 0, w, h};
    if (start_alpha_ != 0 || end_alpha_ != 0) {
      auto veil = Image::Create(w, h);
      {
        Graphics vg(*veil);
        MRender::FillSolidRect(vg, local, fill_);
      }
      // The transition takes transparencies in percent of full opacity.
      int top = 100 - start_alpha_ * 100 / 255;
      int bottom = 100 - end_alpha_ * 100 / 255;
      MRender::DrawVerticalTransition(g, veil->Surface(), local, local, top, bottom);
    } else if (framed_) {
      MRender::FillSolidRect(g, local, ColorRefFromArgb(frame_color_));
      MRender::FillSolidRect(g, local.Inset(1, 1), fill_);
    } else {
      MRender::FillSolidRect(g, local, fill_);
    }
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
