#include "uilib/controls/CGifPicture.h"

#include <algorithm>

#include "uilib/core/MRender.h"

namespace tumi {

CGifPicture::CGifPicture(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  run_timer_ = 1;
}

void CGifPicture::InitControl(PaintManager* /*manager*/) {
  AddMTimer();
}

int CGifPicture::SetImage(const std::string& name, int frame_count) {
  if (!MControlFont::SetImage(name, frame_count)) return 0;
  gif_frames_ = image_->image->TimeFrameCount();
  frame_ = std::min(frame_.load(), gif_frames_ - 1);
  return 1;
}

int CGifPicture::SetRunState(int run, int frame) {
  if (gif_frames_ <= 1) return 0;
  frame_ = std::clamp(frame, 0, gif_frames_ - 1);
  running_ = run != 0 ? 1 : 0;
  ticks_ = 0;
  UpdateControl(0, 0);
  return 1;
}

int CGifPicture::OnControlTimer() {
  if (!running_ || !visible_ || gif_frames_ <= 1) return 0;
  if (++ticks_ < kTicksPerFrame) return 0;
  ticks_ = 0;
  frame_ = (frame_ + 1) % gif_frames_;
  UpdateControl(0, 0);
  return 1;
}

int CGifPicture::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!mouse_active_ || !enabled_ || pressed_inside_ || gif_frames_ <= 1) return 0;
  bool inside = rect_.Contains(p);
  if (inside == pointer_inside_) return 0;
  pointer_inside_ = inside;
  SetRunState(inside ? 1 : 0, 0);
  return 1;
}

void CGifPicture::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  // Drawn straight into the back buffer: every frame would rebuild a cache.
  if (!image_ || !image_->image || rect_.IsEmpty()) return;
  const Image& gif = *image_->image;
  MRender::DrawImage(cr, gif, rect_, Rect::FromSize(0, 0, gif.Width(), gif.Height()), frame_);
}

}  // namespace tumi
