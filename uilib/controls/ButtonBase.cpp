#include "uilib/controls/ButtonBase.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

ButtonBase::ButtonBase(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                       int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  if (!enabled) state_ = kStateDisabled;
}

bool ButtonBase::SetState(int state) {
  if (state == state_) return false;
  int old = state_;
  state_ = state;
  UpdateControl(0, 0);
  OnStateChanged(old, state);
  return true;
}

int ButtonBase::FollowPointer(Point p, bool hand_cursor) {
  if (!enabled_ || pressed_inside_) return 0;
  bool inside = rect_.Contains(p);
  if (!SetState(inside ? kStateHover : kStateNormal)) return 0;
  if (hand_cursor) ShowHandCursor(inside);
  return 1;
}

int ButtonBase::PressInside(Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  SetState(kStatePressed);
  SendMessageW(kNotifyPressed);
  return 1;
}

int ButtonBase::ReleaseAt(Point p) {
  if (!enabled_) return 0;
  bool was_pressed = state_ == kStatePressed;
  bool inside = rect_.Contains(p);
  SetState(inside ? kStateHover : kStateNormal);
  if (inside && was_pressed) SendMessageW(kNotifyActivated);
  return 1;
}

void ButtonBase::ShowHandCursor(bool hand) {
  if (platform::WindowSystem* system = Manager::GetWindowSystem()) {
    system->SetCursor(hand ? platform::CursorShape::kHand : platform::CursorShape::kArrow);
  }
}

void ButtonBase::DrawSlots(cairo_t* cr, int slots, int shown) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * slots, h);
    if (!cache) return;
    Graphics g(*cache);
    for (int slot = 0; slot < slots; ++slot) {
      cairo_save(g);
      Rect box = Rect::FromSize(slot * w, 0, w, h);
      cairo_rectangle(g, box.left, box.top, w, h);
      cairo_clip(g);
      DrawSlot(g, slot, box);
      cairo_restore(g);
    }
  }
  PaintSlot(cr, shown);
}

void ButtonBase::DrawFrameNinePatch(cairo_t* cr, int frame, const Rect& box, int corner) const {
  if (!image_ || !image_->image || frame_width_ <= 0) return;
  frame = std::clamp(frame, 0, std::max(frame_count_, 1) - 1);
  Rect source = Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_);
  MRender::DrawImageFrame(cr, *image_->image, box, source, corner);
}

void ButtonBase::DrawFrameNatural(cairo_t* cr, int frame, const Rect& box,
                                  bool centre_vertically) const {
  if (!image_ || !image_->image || frame_width_ <= 0) return;
  frame = std::clamp(frame, 0, std::max(frame_count_, 1) - 1);
  Rect source = Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_);
  int y = box.top + (centre_vertically ? (box.Height() - frame_height_) / 2 : 0);
  MRender::DrawImage(cr, *image_->image, Rect::FromSize(box.left, y, frame_width_, frame_height_),
                     source);
}

}  // namespace tumi
