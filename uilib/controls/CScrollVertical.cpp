#include "uilib/controls/CScrollVertical.h"

#include "uilib/core/PaintManager.h"

namespace tumi {

CScrollVertical::CScrollVertical(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MScroll(parent, id, rect, visible) {
  SetRange();
}

void CScrollVertical::InitControl(PaintManager* manager) {
  if (!manager) return;
  unsigned id = manager->GetScrollVID();
  if (id != 0) {
    SetImage(id, "PNG", 4);
  } else {
    SetImage("img_scroll_v.png", 1);
  }
}

void CScrollVertical::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  PaintBar(cr, Axis::kVertical);
}

int CScrollVertical::OnControlMouseMove(unsigned /*flags*/, Point p) {
  return HandleMouseMove(Axis::kVertical, p);
}

int CScrollVertical::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  return HandleLButtonDown(Axis::kVertical, p);
}

int CScrollVertical::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  return HandleLButtonUp(Axis::kVertical, p);
}

int CScrollVertical::SetImage(const std::string& name, int /*frame_count*/) {
  if (!LoadImage(name)) return 0;
  SetFrameSize();
  return 1;
}

int CScrollVertical::SetImage(unsigned id, const std::string& type, int /*frame_count*/) {
  if (!LoadImage(id, type)) return 0;
  SetFrameSize();
  return 1;
}

int CScrollVertical::MoveRange(int delta) {
  return ApplyMove(Axis::kVertical, delta);
}

int CScrollVertical::SetRange() {
  return ComputeRange(Axis::kVertical, false);
}

int CScrollVertical::SetRangeEx() {
  return ComputeRange(Axis::kVertical, true);
}

void CScrollVertical::SetFrameSize() {
  frame_count_ = 4;
  frame_width_ = image_->image->Width() / 4;
  frame_height_ = image_->image->Height();
}

}  // namespace tumi
