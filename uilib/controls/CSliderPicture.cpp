#include "uilib/controls/CSliderPicture.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr ColorRef kUncovered = 0xF2F2F2;
constexpr int kStepsPerSlide = 100;
}  // namespace

CSliderPicture::CSliderPicture(MObject* parent, unsigned id, const Rect& rect, int visible,
                               int enabled)
    : MPicture(parent, id, rect, visible, enabled) {
  run_timer_ = 1;
}

void CSliderPicture::InitControl(PaintManager* /*manager*/) {
  AddMTimer();
}

int CSliderPicture::SetRun(int run, int mode) {
  if (!enabled_) return running_;
  int was = running_;
  running_ = run ? 1 : 0;
  started_ = 1;
  mode_ = mode;
  switch (mode) {
    case kSlideTopToBottom:
      edge_ = 0;
      end_ = rect_.Height();
      break;
    case kSlideRightToLeft:
      edge_ = rect_.Width();
      end_ = 0;
      break;
    default:
      edge_ = 0;
      end_ = rect_.Width();
      break;
  }
  if (was != running_) UpdateControl(1, 0);
  return running_;
}

int CSliderPicture::Step() const {
  int length = mode_ == kSlideTopToBottom ? rect_.Height() : rect_.Width();
  // Under 100 pixels a hundredth rounds to nothing: move a pixel at a time.
  return std::max(length / kStepsPerSlide, 1);
}

int CSliderPicture::OnControlTimer() {
  if (!running_ || !visible_) return 0;
  int edge = edge_;
  if (mode_ == kSlideRightToLeft) {
    edge = std::max(edge - Step(), end_);
  } else {
    edge = std::min(edge + Step(), end_);
  }
  edge_ = edge;
  if (edge == end_) running_ = 0;
  UpdateControl(1, 0);
  return 1;
}

void CSliderPicture::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    Rect all = Rect::FromSize(0, 0, w, h);
    int length = mode_ == kSlideTopToBottom ? h : w;
    int edge =
        !started_ ? (mode_ == kSlideRightToLeft ? 0 : length) : std::clamp(edge_.load(), 0, length);
    Rect shown = mode_ == kSlideTopToBottom   ? Rect{0, 0, w, edge}
                 : mode_ == kSlideRightToLeft ? Rect{edge, 0, w, h}
                                              : Rect{0, 0, edge, h};
    Rect hidden = mode_ == kSlideTopToBottom   ? Rect{0, edge, w, h}
                  : mode_ == kSlideRightToLeft ? Rect{0, 0, edge, h}
                                               : Rect{edge, 0, w, h};
    if (!shown.IsEmpty()) {
      cairo_save(g);
      cairo_rectangle(g, shown.left, shown.top, shown.Width(), shown.Height());
      cairo_clip(g);
      DrawPicture(g, all);
      cairo_restore(g);
    }
    if (!hidden.IsEmpty()) MRender::FillSolidRect(g, hidden, kUncovered);
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
