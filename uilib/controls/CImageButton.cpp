#include "uilib/controls/CImageButton.h"

#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {
constexpr int kBubbleType = 5;
// The icon sits a little right of and above the centre, clear of the
// frame's drawn shadow.
constexpr int kIconShiftX = 2;
constexpr int kIconShiftY = -4;
}  // namespace

void CImageButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  DrawFrameNatural(cr, slot, box, false);
  if (icon_.Empty()) return;
  int x = box.left + (box.Width() - icon_.FrameWidth()) / 2 + kIconShiftX;
  int y = box.top + (box.Height() - icon_.FrameHeight()) / 2 + kIconShiftY;
  MRender::DrawImage(cr, *icon_.Get(),
                     Rect::FromSize(x, y, icon_.FrameWidth(), icon_.FrameHeight()),
                     icon_.Frame(slot));
}

void CImageButton::OnStateChanged(int old_state, int new_state) {
  if (bubble_mode_ == kAirBladderNone || title_.empty() || !manager_) return;
  if (new_state == kStateHover) {
    int y = rect_.top + rect_.Height() / 2;
    Point at{bubble_mode_ == kAirBladderLeft ? rect_.left : rect_.right, y};
    manager_->SetAirBladderMsg(title_, at, kBubbleType, bubble_mode_);
    manager_->ShowAirBladder(1, 0);
  } else if (old_state == kStateHover) {
    manager_->ShowAirBladder(0, 0);
  }
}

}  // namespace tumi
