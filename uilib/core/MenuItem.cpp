#include "uilib/core/MenuItem.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

MenuItem::MenuItem(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                   int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  frame_count_ = 3;
  v_align_ = kAlignVCenter;
}

int MenuItem::SlotCount() const {
  if (separator_) return 1;
  return checkable_ ? 8 : 4;
}

int MenuItem::SlotOf(int state) const {
  return std::clamp(state, 0, SlotCount() - 1);
}

void MenuItem::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  UpdateControl(0, 0);
}

int MenuItem::SetCheck(int check) {
  if (!checkable_) return 0;
  if (!enabled_) return check_;
  if (check != check_) {
    check_ = check;
    SetState(check ? kPressed : kNormal);
  }
  return check_;
}

void MenuItem::SetControlCheck(int check) {
  check_ = check;
  state_ = check ? kPressed : kNormal;
  UpdateControl(0, 0);
}

void MenuItem::SetControlEnabled(int enabled) {
  enabled_ = enabled;
  if (!enabled) {
    state_ = checkable_ && check_ ? kDisabledChecked : kDisabled;
  } else {
    state_ = check_ ? kPressed : kNormal;
  }
  UpdateControl(1, 0);
}

int MenuItem::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  bool inside = rect_.Contains(p);
  if (inside) {
    SetState(checkable_ && check_ ? kHoverChecked : kHover);
  } else {
    SetState(checkable_ && check_ ? kPressed : kNormal);
  }
  return inside ? 1 : 0;
}

int MenuItem::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  pressed_ = 1;
  if (checkable_) {
    SetState(check_ ? kHoverChecked : kHover);
    SendMessageW(kNotifyCheckChanged, static_cast<std::uintptr_t>(check_), 1);
  } else {
    SetState(kPressed);
  }
  return 1;
}

int MenuItem::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool was_pressed = pressed_ != 0;
  pressed_ = 0;
  if (!rect_.Contains(p)) {
    SetState(check_ ? kPressed : kNormal);
    return 0;
  }
  if (checkable_) {
    if (was_pressed) check_ = group_name_.empty() ? !check_ : 1;
    SetState(check_ ? kHoverChecked : kHover);
    return 1;
  }
  SetState(kHover);
  // Last: the menu may close on it.
  if (was_pressed) SendMessageW(kNotifyActivated, 0, 0);
  return 1;
}

void MenuItem::RenderSlot(cairo_t* cr, int slot, int width, int height) {
  int x0 = slot * width;
  bool hover_fill =
      checkable_ ? (slot == kHover || slot == kHoverChecked) : (slot == kHover || slot == kPressed);
  if (!separator_ && hover_fill) {
    Rect fill = Rect::FromSize(x0 + hover_inset_, 0, width - 2 * hover_inset_, height);
    if (hover_image_) {
      MRender::DrawImage(cr, *hover_image_, fill,
                         Rect{0, 0, hover_image_->Width(), hover_image_->Height()});
    } else {
      MRender::DrawColor(cr, fill, hover_color_);
    }
  }
  if (separator_) {
    if (image_ && image_->image) {
      const Image& band = *image_->image;
      int band_height = std::min(band.Height(), height);
      int top = (height - band_height) / 2;
      cairo_save(cr);
      cairo_rectangle(cr, x0, top, width - 2 * hover_inset_, band_height);
      cairo_clip(cr);
      cairo_set_source_surface(cr, band.Surface(), x0, top);
      cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
      cairo_paint(cr);
      cairo_restore(cr);
    } else {
      MRender::DrawColor(cr, Rect::FromSize(x0, 0, width, height), 0x40FFFFFF);
    }
    return;
  }
  if (image_ && image_->image) {
    int frames = checkable_ ? 6 : std::max(frame_count_, 1);
    int fw = image_->image->Width() / frames;
    int fh = image_->image->Height();
    // The two checked states with no frame of their own show the checked one.
    int frame = slot == kHoverChecked || slot == kDisabledChecked ? kPressed : slot;
    if (frame >= frames) frame = 0;
    Point at{x0 + (text_margin_ - fw) / 2, (height - fh) / 2};
    MRender::DrawImage(cr, *image_->image, Rect::FromSize(at.x, at.y, fw, fh),
                       Rect::FromSize(frame * fw, 0, fw, fh));
  }
  if (!title_.empty()) {
    Argb color = slot == kDisabled || slot == kDisabledChecked ? 0xFE808080 : 0xFFFFFFFF;
    TextFormat format;
    format.v_align = kAlignVCenter;
    format.single_line = true;
    MRender::DrawString(cr, title_, Rect{x0 + text_margin_, 0, x0 + width, height}, GetFontSpec(),
                        format, color);
  }
}

void MenuItem::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * SlotCount(), h);
    if (!cache) return;
    Graphics g(*cache);
    for (int slot = 0; slot < SlotCount(); ++slot) RenderSlot(g, slot, w, h);
  }
  PaintSlot(cr, SlotOf(state_));
}

}  // namespace tumi
