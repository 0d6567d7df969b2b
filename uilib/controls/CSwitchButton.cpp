#include "uilib/controls/CSwitchButton.h"

#include <algorithm>

#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, const Rect& rect,
                             const std::string& title, int visible, int enabled)
    : ButtonBase(parent, id, rect, title, visible, enabled) {
  tab_stop_ = 1;
}

void CSwitchButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? kStateNormal : kStateDisabled;
}

int CSwitchButton::SetImage(const std::string& on, const std::string& off, int frame_count) {
  if (!manager_) return 0;
  const ImgResInfo* on_info = manager_->AddImgResInfo(on, frame_count);
  const ImgResInfo* off_info = manager_->AddImgResInfo(off, frame_count);
  if (!on_info || !off_info) return 0;
  on_ = on_info;
  off_ = off_info;
  SetImageCount(frame_count);
  UpdateControl(1, 0);
  return 1;
}

int CSwitchButton::SetCheck(int check) {
  check = check ? 1 : 0;
  if (check == check_) return check_;
  check_ = check;
  state_ = enabled_ ? kStateNormal : kStateDisabled;
  UpdateControl(1, 0);
  return check_;
}

int CSwitchButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  return FollowPointer(p, true);
}

int CSwitchButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  pressed_ = true;
  SetState(kStateHover);
  SendMessageW(kNotifyPressed);
  return 1;
}

int CSwitchButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool was_pressed = pressed_;
  pressed_ = false;
  if (!rect_.Contains(p)) {
    SetState(kStateNormal);
    return 1;
  }
  SetState(kStateHover);
  if (!was_pressed) return 1;
  check_ = check_ ? 0 : 1;
  UpdateControl(1, 0);
  SendMessageW(kNotifyActivated, 0, check_);
  return 1;
}

void CSwitchButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 4, state_);
}

void CSwitchButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  const ImgResInfo* strip = check_ ? on_ : off_;
  if (!strip || !strip->image) return;
  int count = std::max(frame_count_, 1);
  int fw = strip->image->Width() / count;
  int fh = strip->image->Height();
  if (fw <= 0) return;
  int frame = std::clamp(slot, 0, count - 1);
  MRender::DrawImage(cr, *strip->image,
                     Rect::FromSize(box.left, box.top + (box.Height() - fh) / 2, fw, fh),
                     Rect::FromSize(frame * fw, 0, fw, fh));
}

}  // namespace tumi
