#include "uilib/controls/CIconButton.h"

#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kIconCorner = 20;
constexpr Argb kIdleTextColor = 0xFEC8C8C8;
}  // namespace

CIconButton::CIconButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                         int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
  corner_ = kIconCorner;
}

int CIconButton::SetCheck(int check) {
  if (!enabled_) return check_;
  SetControlCheck(check);
  UpdateControl(0, 0);
  if (check_) ResetGroupCheck();
  return check_;
}

void CIconButton::SetControlCheck(int check) {
  check_ = check ? 1 : 0;
  state_ = enabled_ ? kStateNormal : kStateDisabled;
}

void CIconButton::SetDownState(int down) {
  state_ = down ? kStatePressed : kStateNormal;
  UpdateControl(0, 0);
}

void CIconButton::SetTips(const std::string& first, const std::string& second,
                          const std::string& third) {
  tips_ = {first, second, third};
}

void CIconButton::OnClicked() {
  check_ = 1;
  ResetGroupCheck();
  UpdateControl(0, 0);
  SendMessageW(kNotifyActivated);
}

void CIconButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 4, check_ ? kStatePressed : state_);
}

void CIconButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  DrawFrameNinePatch(cr, slot, box, corner_);
  if (!icon_.Empty()) {
    int x = box.left + (box.Width() - icon_.FrameWidth()) / 2;
    int y = box.top + (box.Height() - icon_.FrameHeight()) / 2;
    MRender::DrawImage(cr, *icon_.Get(),
                       Rect::FromSize(x, y, icon_.FrameWidth(), icon_.FrameHeight()),
                       icon_.Frame(slot));
  }
  if (title_.empty()) return;
  TextFormat format = GetTextFormat();
  format.single_line = true;
  if (text_rect_.IsEmpty()) {
    format.h_align = kAlignCenter;
    format.v_align = kAlignVCenter;
    MRender::DrawString(cr, title_, box, GetFontSpec(), format,
                        slot == kStateDisabled ? kDisabledTextColor : text_color_);
    return;
  }
  Rect text = text_rect_.Offset(box.left, box.top);
  if (slot == kStatePressed) text = text.Offset(1, 1);
  MRender::DrawString(cr, title_, text, GetFontSpec(), format,
                      slot == kStateHover ? text_color_ : kIdleTextColor);
}

}  // namespace tumi
