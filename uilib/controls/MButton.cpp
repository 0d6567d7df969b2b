#include "uilib/controls/MButton.h"

#include "uilib/core/MRender.h"

namespace tumi {

MButton::MButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                 int visible, int enabled)
    : ButtonBase(parent, id, rect, title, visible, enabled) {
  h_align_ = kAlignCenter;
}

void MButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? kStateNormal : kStateDisabled;
}

int MButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  return FollowPointer(p, true);
}

int MButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  ShowHandCursor(true);
  SetState(kStatePressed);
  SendMessageW(kNotifyPressed);
  return 1;
}

int MButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool was_pressed = state_ == kStatePressed;
  if (!rect_.Contains(p)) {
    SetState(kStateNormal);
    return 1;
  }
  SetState(kStateHover);
  if (was_pressed) OnClicked();
  return 1;
}

int MButton::SetIconImage(const std::string& name, int frame_count) {
  bool loaded = icon_.Load(name, frame_count);
  if (visible_) UpdateControl(1, 0);
  return loaded ? 1 : 0;
}

void MButton::SetFrameSize(int corner) {
  corner_ = corner;
  UpdateControl(1, 0);
}

void MButton::SetTextRect(const Rect& rect) {
  text_rect_ = rect;
  UpdateControl(1, 0);
}

void MButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 4, state_);
}

void MButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  DrawFrameNinePatch(cr, slot, box, corner_);
  DrawButtonTitle(cr, slot, box);
}

void MButton::DrawButtonTitle(cairo_t* cr, int slot, const Rect& box) const {
  std::string title = DisplayTitle();
  if (title.empty()) return;
  Rect text = text_rect_.IsEmpty() ? box : text_rect_.Offset(box.left, box.top);
  if (slot == kStatePressed) text = text.Offset(1, 1);
  TextFormat format = GetTextFormat();
  format.single_line = true;
  format.v_align = kAlignVCenter;
  MRender::DrawString(cr, title, text, GetFontSpec(), format,
                      slot == kStateDisabled ? kDisabledTextColor : text_color_);
}

}  // namespace tumi
