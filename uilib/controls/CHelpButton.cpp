#include "uilib/controls/CHelpButton.h"

#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {
constexpr int kBubbleDrop = 25;  // the tip starts this far below the top
constexpr int kBubbleType = 5;
constexpr int kBubbleMode = 2;
}  // namespace

CHelpButton::CHelpButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                         int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
  frame_count_ = 1;
}

void CHelpButton::DrawSlot(cairo_t* cr, int /*slot*/, const Rect& box) {
  DrawFrame(cr, 0, box);
}

void CHelpButton::OnStateChanged(int old_state, int new_state) {
  if (!manager_) return;
  if (new_state == kStateHover && !title_.empty()) {
    manager_->SetAirBladderMsg(title_, {rect_.left, rect_.top + kBubbleDrop}, kBubbleType,
                               kBubbleMode);
    manager_->ShowAirBladder(1, static_cast<int>(id_));
  } else if (old_state == kStateHover && new_state == kStateNormal) {
    manager_->ShowAirBladder(0, static_cast<int>(id_));
  }
}

}  // namespace tumi
