#include "uilib/controls/CTextButton.h"

#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kTextPadding = 6;  // kept free right of the text when centred or right-aligned
constexpr int kTextDrop = 2;
}  // namespace

CTextButton::CTextButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                         int visible, int enabled)
    : ButtonBase(parent, id, rect, title, visible, enabled) {
  h_align_ = kAlignCenter;
}

void CTextButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? kStateNormal : kStateDisabled;
}

void CTextButton::SetTextButtonColor(Argb normal, Argb hover, Argb pressed, Argb disabled) {
  colors_ = {normal, hover, pressed, disabled};
  UpdateControl(1, 0);
}

int CTextButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  return FollowPointer(p, false);
}

int CTextButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  return PressInside(p);
}

int CTextButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  return ReleaseAt(p);
}

void CTextButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 4, state_);
}

void CTextButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  if (title_.empty()) return;
  TextFormat format;
  format.single_line = true;
  format.clip = false;
  format.rendering_hint = rendering_hint_;
  Size text = MRender::GetTextBounds(GetFontSpec(), title_, format);
  int x = h_align_ == kAlignCenter  ? (box.Width() - text.cx - kTextPadding) / 2
          : h_align_ == kAlignRight ? box.Width() - text.cx - kTextPadding
                                    : 0;
  int y = v_align_ == kAlignVCenter || v_align_ == 1  ? (box.Height() - text.cy) / 2
          : v_align_ == kAlignBottom || v_align_ == 2 ? box.Height() - text.cy
                                                      : 0;
  Rect at = Rect::FromSize(box.left + x, box.top + y + kTextDrop, text.cx, text.cy);
  MRender::DrawString(cr, title_, at, GetFontSpec(), format, colors_[slot & 3]);
}

}  // namespace tumi
