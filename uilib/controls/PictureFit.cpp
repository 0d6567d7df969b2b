#include "uilib/controls/PictureFit.h"

namespace tumi {

namespace {

void DrawTiled(cairo_t* cr, const Image& image, const Rect& frame, const Rect& box) {
  // A frame without area would never advance.
  if (frame.Width() <= 0 || frame.Height() <= 0) return;
  cairo_save(cr);
  cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
  cairo_clip(cr);
  for (int y = box.top; y < box.bottom; y += frame.Height()) {
    for (int x = box.left; x < box.right; x += frame.Width()) {
      MRender::DrawImage(cr, image, Rect::FromSize(x, y, frame.Width(), frame.Height()), frame);
    }
  }
  cairo_restore(cr);
}

int AlignOffset(int outer, int inner, int align, int near, int far) {
  if (align == near) return 0;
  if (align == far) return outer - inner;
  return (outer - inner) / 2;
}

}  // namespace

void PictureFit::Draw(cairo_t* cr, const Image& image, const Rect& frame, const Rect& box) const {
  switch (mode) {
    case kShowNatural: {
      int x = box.left + AlignOffset(box.Width(), frame.Width(), h_align, 0, 2);
      int y = box.top + AlignOffset(box.Height(), frame.Height(), v_align, 0, 8);
      MRender::DrawImage(cr, image, Rect::FromSize(x, y, frame.Width(), frame.Height()), frame);
      break;
    }
    case kShowTiled:
      DrawTiled(cr, image, frame, box);
      break;
    case kShowStretched:
      MRender::DrawImage(cr, image, box, frame);
      break;
    case kShowNinePatch:
      MRender::DrawImageFrame(cr, image, box, frame, corner);
      break;
    case kShowNinePatchMID:
      MRender::DrawImageFrameMID(cr, image, box, frame, margins);
      break;
    case kShowCustomRect:
      if (!custom.IsEmpty()) MRender::DrawImage(cr, image, box, custom);
      break;
    default:
      break;
  }
}

}  // namespace tumi
