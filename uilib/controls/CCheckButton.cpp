#include "uilib/controls/CCheckButton.h"

#include "platform/window/VirtualKeys.h"
#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {
constexpr int kTitleGap = 8;  // between the box and the title
}

CCheckButton::CCheckButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                           int visible, int enabled)
    : ButtonBase(parent, id, rect, title, visible, enabled) {
  frame_count_ = 8;
  tab_stop_ = 1;
}

void CCheckButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = Visual(enabled ? kStateNormal : kStateDisabled);
}

int CCheckButton::SetControlFocus(int focus) {
  focused_ = focus ? 1 : 0;
  MControl::SetControlFocus(focus);
  return 1;
}

int CCheckButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  bool inside = rect_.Contains(p);
  if (!SetState(Visual(inside ? kStateHover : kStateNormal))) return 0;
  ShowHandCursor(inside);
  return 1;
}

int CCheckButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  focused_ = 1;
  SetState(Visual(kStatePressed));
  SendMessageW(kNotifyPressed);
  return 1;
}

int CCheckButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool was_pressed = (state_ & 3) == kStatePressed;
  if (!rect_.Contains(p)) {
    SetState(Visual(kStateNormal));
    return 1;
  }
  if (!was_pressed) {
    SetState(Visual(kStateHover));
    return 1;
  }
  OnClickToggle();
  SetState(Visual(kStateHover));
  SendMessageW(kNotifyActivated);
  return 1;
}

int CCheckButton::OnControlKeyDown(int key, int repeat, int modifiers) {
  if (!enabled_) return 0;
  bool space = focused_ && key == platform::vk::kSpace;
  if (!space && !MControl::OnControlKeyDown(key, repeat, modifiers)) return 0;
  OnKeyToggle();
  return 1;
}

void CCheckButton::OnKeyToggle() {
  check_ = check_ ? 0 : 1;
  SetState(Visual(state_ & 3));
  SendMessageW(kNotifyCheckChanged, 0, check_);
}

int CCheckButton::SetCheck(int check) {
  if (!enabled_) return check_;
  check_ = check ? 1 : 0;
  SetState(Visual(kStateNormal));
  return check_;
}

int CCheckButton::SetImage(const std::string& name, int frame_count) {
  if (!manager_) return 0;
  const ImgResInfo* info = manager_->AddImgResInfo(name, frame_count);
  if (!info) return 0;
  image_ = info;
  image_path_ = name;
  SetImageCount(frame_count);
  frame_width_ = info->image->Width() / frame_count_;
  frame_height_ = info->height;
  cache_valid_ = 0;
  return 1;
}

void CCheckButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 8, state_);
}

void CCheckButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  DrawFrameNatural(cr, slot, box, true);
  if (title_.empty()) return;
  Rect text{box.left + frame_width_ + kTitleGap, box.top, box.right, box.bottom};
  TextFormat format = GetTextFormat();
  format.h_align = kAlignLeft;
  format.v_align = kAlignVCenter;
  format.single_line = true;
  bool disabled = (slot & 3) == kStateDisabled;
  MRender::DrawString(cr, title_, text, GetFontSpec(), format,
                      disabled ? kDisabledTextColor : text_color_);
}

}  // namespace tumi
