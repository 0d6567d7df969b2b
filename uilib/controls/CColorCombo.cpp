#include "uilib/controls/CColorCombo.h"

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr Argb kOutline = 0xFE050505;
constexpr Argb kDisabledOutline = 0xFE808080;
constexpr Argb kStrike = 0xFEFF0000;

void SetSource(cairo_t* cr, Argb c) {
  cairo_set_source_rgba(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0,
                        AlphaOf(c) / 255.0);
}
}  // namespace

CColorCombo::CColorCombo(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, {}, visible, enabled, 1), state_(enabled ? 0 : 3) {}

void CColorCombo::SetAreaColor(Argb color) {
  area_color_ = color;
  UpdateControl(1, 0);
}

void CColorCombo::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  UpdateControl(0, 0);
}

void CColorCombo::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? 0 : 3;
}

int CColorCombo::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  bool inside = rect_.Contains(p);
  SetState(inside ? 1 : 0);
  return inside ? 1 : 0;
}

int CColorCombo::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  SetState(2);
  SendMessageW(kNotifyPressed);
  return 1;
}

int CColorCombo::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  if (!rect_.Contains(p)) {
    SetState(0);
    return 1;
  }
  bool pressed = state_ == 2;
  SetState(1);
  if (pressed) SendMessageW(kNotifyActivated);
  return 1;
}

void CColorCombo::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * 4, h);
    if (!cache) return;
    Graphics g(*cache);
    cairo_t* c = g;
    for (int slot = 0; slot < 4; ++slot) {
      int x = slot * w;
      MRender::DrawColor(c, Rect::FromSize(x, 0, w, h), area_color_);
      cairo_save(c);
      cairo_set_antialias(c, CAIRO_ANTIALIAS_GOOD);
      cairo_set_line_width(c, 1.0);
      // Half-pixel coordinates put the 1-pixel outline on whole pixels.
      cairo_rectangle(c, x + 0.5, 0.5, w - 1, h - 1);
      SetSource(c, slot == 3 ? kDisabledOutline : kOutline);
      cairo_stroke(c);
      if (slot == 3) {
        cairo_move_to(c, x + 0.5, h - 0.5);
        cairo_line_to(c, x + w - 0.5, 0.5);
        SetSource(c, kStrike);
        cairo_stroke(c);
      }
      cairo_restore(c);
    }
  }
  PaintSlot(cr, state_);
}

}  // namespace tumi
