#include "uilib/keyboard/MLevelCtrl.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/keyboard/CentredText.h"

namespace tumi {

namespace {
// ClearType grid-fit: the caption's rendering hint whatever the control's is.
constexpr int kCaptionHint = 5;
}  // namespace

MLevelCtrl::MLevelCtrl(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                       int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

void MLevelCtrl::SetLevelValue(int value) {
  value = std::clamp(value, minimum_, maximum_);
  if (value == level_) return;
  level_ = value;
  UpdateControl(1, 0);
}

bool MLevelCtrl::SetRangeValue(int minimum, int maximum) {
  if (maximum < minimum) return false;
  minimum_ = minimum;
  maximum_ = maximum;
  int level = std::clamp(level_, minimum_, maximum_);
  // A level pulled into the new range is shown at once.
  if (level != level_) {
    level_ = level;
    UpdateControl(1, 0);
  }
  return true;
}

long long MLevelCtrl::SegmentCount() const {
  return static_cast<long long>(maximum_) - minimum_ + 1;
}

int MLevelCtrl::SegmentWidth() const {
  long long n = SegmentCount();
  long long w = (rect_.Width() - n * kSegmentGap) / n;
  return static_cast<int>(std::max(w, -1LL));
}

Rect MLevelCtrl::SegmentRect(long long k) const {
  int w = SegmentWidth();
  if (w <= 0 || k < 0 || k >= SegmentCount()) return {};
  // w > 0 bounds the count by the control width, so this fits an int.
  int x = static_cast<int>(k * (w + kSegmentGap));
  return {x, 0, x + w, segment_height_};
}

std::string MLevelCtrl::Caption() const {
  return title_ + std::to_string(level_) + (maximum_ == 100 ? "%" : "");
}

void MLevelCtrl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    // Segments without width (a range too wide for the control) draw nothing.
    if (SegmentWidth() > 0) {
      for (long long k = 0; k < SegmentCount(); ++k) {
        Rect segment = SegmentRect(k);
        MRender::DrawColor(g, segment, kSegmentColor);
        if (level_ >= minimum_ + k) MRender::DrawColor(g, segment.Inset(1, 1), kLitColor);
      }
    }
    if (show_caption_) {
      Rect box{0, segment_height_, w, h};
      MRender::DrawString(g, Caption(), box, GetFontSpec(), CentredText(kCaptionHint), text_color_);
    }
  }
  PaintSlot(cr, 0);
}

int MLevelCtrl::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  if (!rect_.Contains(p)) return 1;
  Point local{p.x - rect_.left, p.y - rect_.top};
  int w = SegmentWidth();
  if (w <= 0) return 1;
  long long k = local.x / (w + kSegmentGap);
  if (k >= SegmentCount() || !SegmentRect(k).Contains(local)) return 1;
  int value = static_cast<int>(minimum_ + k);
  if (value == level_) return 1;
  level_ = value;
  SendMessageW(kNotifyActivated, static_cast<std::uintptr_t>(value), 0);
  UpdateControl(1, 0);
  return 1;
}

}  // namespace tumi
