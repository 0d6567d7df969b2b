#include "uilib/controls/DownloadButton.h"

#include <algorithm>

#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kCorner = 8;
}

DownloadButton::DownloadButton(MObject* parent, unsigned id, const Rect& rect,
                               const std::string& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
  corner_ = kCorner;
}

void DownloadButton::SetDownloadProcess(int percent) {
  progress_ = std::clamp(percent, 0, 100);
  UpdateControl(1, 0);
}

void DownloadButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  // While downloading there is one picture, whatever the pointer does.
  if (progress_ > 0) {
    DrawSlots(cr, 1, 0);
  } else {
    DrawSlots(cr, 4, state_);
  }
}

void DownloadButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  if (progress_ <= 0) {
    MButton::DrawSlot(cr, slot, box);
    return;
  }
  DrawFrameNinePatch(cr, 0, box, corner_);
  int filled = box.Width() * progress_ / 100;
  if (filled > 0) {
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, filled, box.Height());
    cairo_clip(cr);
    DrawFrameNinePatch(cr, 1, box, corner_);
    cairo_restore(cr);
  }
  TextFormat format = GetTextFormat();
  format.h_align = kAlignCenter;
  format.v_align = kAlignVCenter;
  format.single_line = true;
  MRender::DrawString(cr, std::to_string(progress_) + "%", box, GetFontSpec(), format, text_color_);
}

}  // namespace tumi
