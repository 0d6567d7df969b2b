#include "uilib/controls/CScrollHorizontal.h"

#include "uilib/core/PaintManager.h"

namespace tumi {

CScrollHorizontal::CScrollHorizontal(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MScroll(parent, id, rect, visible) {
  SetRange();
}

void CScrollHorizontal::InitControl(PaintManager* manager) {
  if (!manager) return;
  unsigned id = manager->GetScrollHID();
  if (id != 0) {
    SetImage(id, "PNG", 4);
  } else {
    SetImage("img_scroll_h.png", 1);
  }
}

void CScrollHorizontal::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  PaintBar(cr, Axis::kHorizontal);
}

int CScrollHorizontal::OnControlMouseMove(unsigned /*flags*/, Point p) {
  return HandleMouseMove(Axis::kHorizontal, p);
}

int CScrollHorizontal::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  return HandleLButtonDown(Axis::kHorizontal, p);
}

int CScrollHorizontal::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  return HandleLButtonUp(Axis::kHorizontal, p);
}

int CScrollHorizontal::SetImage(const std::string& name, int /*frame_count*/) {
  if (!LoadImage(name)) return 0;
  SetFrameSize();
  return 1;
}

int CScrollHorizontal::SetImage(unsigned id, const std::string& type, int /*frame_count*/) {
  if (!LoadImage(id, type)) return 0;
  SetFrameSize();
  return 1;
}

int CScrollHorizontal::MoveRange(int delta) {
  return ApplyMove(Axis::kHorizontal, delta);
}

int CScrollHorizontal::SetRange() {
  return ComputeRange(Axis::kHorizontal, false);
}

void CScrollHorizontal::SetFrameSize() {
  frame_count_ = 4;
  frame_width_ = library_image_ ? image_->image->Width() : image_->image->Width() / 3;
  frame_height_ = image_->image->Height() / 4;
}

}  // namespace tumi
