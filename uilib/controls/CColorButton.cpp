#include "uilib/controls/CColorButton.h"

#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr ColorRef kBorderLight = 0xEBEBEB;
constexpr ColorRef kBorderDark = 0x050505;
constexpr Argb kHoverOutline = 0xFFF5F5F5;
constexpr Argb kDisabledOutline = 0xFF808080;
}  // namespace

CColorButton::CColorButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                           int visible, int enabled)
    : ButtonBase(parent, id, rect, title, visible, enabled) {}

void CColorButton::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? kStateNormal : kStateDisabled;
}

int CColorButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  return FollowPointer(p, true);
}

int CColorButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  ShowHandCursor(true);
  check_ = 1;
  SetState(kStatePressed);
  ResetGroupCheck();
  SendMessageW(kNotifyPressed);
  return 1;
}

int CColorButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  return ReleaseAt(p);
}

void CColorButton::SetColor(ColorRef color) {
  color_ = color;
  UpdateControl(1, 0);
}

int CColorButton::SetCheck(int check) {
  if (!enabled_) return check_;
  SetControlCheck(check);
  UpdateControl(0, 0);
  if (check_) ResetGroupCheck();
  return check_;
}

void CColorButton::SetControlCheck(int check) {
  check_ = check ? 1 : 0;
  state_ = !enabled_ ? kStateDisabled : check_ ? kStatePressed : kStateNormal;
}

void CColorButton::SetVisibleBorder(int visible) {
  border_ = visible ? 1 : 0;
  UpdateControl(1, 0);
}

void CColorButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, 4, check_ ? kStatePressed : state_);
}

void CColorButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  if (border_) {
    MRender::FillSolidRect(cr, box, kBorderLight);
    MRender::FillSolidRect(cr, box.Inset(1, 1), kBorderDark);
    MRender::FillSolidRect(cr, box.Inset(3, 3), color_);
    return;
  }
  if (image_ && image_->image) {
    DrawFrame(cr, slot, box);
  } else {
    MRender::FillSolidRect(cr, box.Inset(2, 2), color_);
  }
  Argb outline = slot == kStateHover || slot == kStatePressed ? kHoverOutline
                 : slot == kStateDisabled                     ? kDisabledOutline
                                                              : 0;
  if (outline == 0) return;
  cairo_save(cr);
  cairo_set_source_rgba(cr, RedOf(outline) / 255.0, GreenOf(outline) / 255.0,
                        BlueOf(outline) / 255.0, AlphaOf(outline) / 255.0);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, box.left + 1, box.top + 1, box.Width() - 2, box.Height() - 2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace tumi
