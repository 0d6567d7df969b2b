#include "uilib/controls/CirclePalette.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

CirclePalette::CirclePalette(MObject* parent, unsigned id, const Rect& rect, int visible,
                             int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  thumb_ = ThumbAt(Centre());
}

Point CirclePalette::Centre() const {
  return {rect_.left + rect_.Width() / 2, rect_.top + rect_.Height() / 2};
}

Rect CirclePalette::ThumbAt(Point p) const {
  return Rect::FromSize(p.x - kThumbSize / 2, p.y - kThumbSize / 2, kThumbSize, kThumbSize);
}

void CirclePalette::SetControlRect(const Rect& rect) {
  Point old_centre = Centre();
  rect_ = rect;
  Point centre = Centre();
  thumb_ = thumb_.Offset(centre.x - old_centre.x, centre.y - old_centre.y);
}

int CirclePalette::SetImage(const std::string& name, int frame_count) {
  return MControlFont::SetImage(name, frame_count);
}

int CirclePalette::GetDistanse(Point p) const {
  Point c = Centre();
  double dx = p.x - c.x;
  double dy = p.y - c.y;
  return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

ColorRef CirclePalette::WheelColorAt(Point p) const {
  // The wheel is stretched over the control; what the window shows at the
  // point is the wheel's pixel there (the thumb moves away from it first).
  if (!image_ || !image_->image || rect_.IsEmpty()) return 0;
  const Image& wheel = *image_->image;
  int x = static_cast<int>(static_cast<int64_t>(p.x - rect_.left) * wheel.Width() / rect_.Width());
  int y = static_cast<int>(static_cast<int64_t>(p.y - rect_.top) * wheel.Height() / rect_.Height());
  return ColorRefFromArgb(wheel.PixelAt(x, y));
}

int CirclePalette::MoveThumbPos(Point p) {
  if (GetDistanse(p) > kReach) return 0;
  Rect thumb = ThumbAt(p);
  if (thumb == thumb_) return 0;
  thumb_ = thumb;
  color_ = WheelColorAt(p);
  UpdateControl(1, 0);
  SendMessageW(kNotifyColorPicked, 0, static_cast<std::intptr_t>(color_));
  return 1;
}

int CirclePalette::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || !pressed_inside_) return 0;
  return MoveThumbPos(p);
}

int CirclePalette::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  MoveThumbPos(p);
  return 1;
}

void CirclePalette::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    if (image_ && image_->image) {
      const Image& wheel = *image_->image;
      MRender::DrawImage(g, wheel, Rect::FromSize(0, 0, w, h),
                         Rect::FromSize(0, 0, wheel.Width(), wheel.Height()));
    }
    // A white ring with a dark rim reads on every hue.
    double cx = thumb_.left - rect_.left + kThumbSize / 2.0;
    double cy = thumb_.top - rect_.top + kThumbSize / 2.0;
    cairo_new_path(g);
    cairo_arc(g, cx, cy, kThumbSize / 2.0 - 1, 0, 2 * std::numbers::pi);
    cairo_set_line_width(g, 3);
    cairo_set_source_rgba(g, 0.1, 0.1, 0.1, 0.8);
    cairo_stroke_preserve(g);
    cairo_set_line_width(g, 1.5);
    cairo_set_source_rgb(g, 1, 1, 1);
    cairo_stroke(g);
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
