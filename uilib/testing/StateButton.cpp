#include "uilib/testing/StateButton.h"

#include "uilib/core/ControlFactory.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi::testing {

StateButton::StateButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                         int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  h_align_ = kAlignCenter;
  if (!enabled) state_ = 3;
}

void StateButton::Register() {
  ControlFactory::RegisterClass(
      "StateButton",
      [](const ControlArgs& a) -> std::unique_ptr<MControl> {
        return std::make_unique<StateButton>(a.parent, a.id, a.rect, a.title, a.visible, a.enabled);
      },
      true, true);
}

void StateButton::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  // A state change shows another slot of the same picture.
  UpdateControl(0, 0);
}

void StateButton::SetControlEnabled(int enabled) {
  MControl::SetControlEnabled(enabled);
  state_ = enabled ? 0 : 3;
}

int StateButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  bool inside = rect_.Contains(p);
  SetState(inside ? 1 : 0);
  return inside ? 1 : 0;
}

int StateButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  SetState(2);
  SendMessageW(kNotifyPressed);
  return 1;
}

int StateButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool was_pressed = state_ == 2;
  bool inside = rect_.Contains(p);
  SetState(inside ? 1 : 0);
  if (was_pressed && inside) SendMessageW(kNotifyActivated);
  return 1;
}

void StateButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * 4, h);
    if (!cache) return;
    Graphics g(*cache);
    for (int slot = 0; slot < 4; ++slot) {
      Rect box = Rect::FromSize(slot * w, 0, w, h);
      DrawFrame(g, slot, box);
      DrawTitle(g, box, slot == 3 ? 0xFF808080 : text_color_);
    }
  }
  PaintSlot(cr, state_);
}

}  // namespace tumi::testing
