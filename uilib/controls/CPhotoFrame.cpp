#include "uilib/controls/CPhotoFrame.h"

#include <algorithm>

namespace tumi {

namespace {
constexpr int kSlots = 3;  // normal, hover, pressed
constexpr int kFrameCorner = 12;
}  // namespace

CPhotoFrame::CPhotoFrame(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : ButtonBase(parent, id, rect, "", visible, enabled) {
  frame_count_ = kSlots;
}

int CPhotoFrame::SetPhotoFrame(const std::string& name) {
  bool loaded = photo_.Load(name, 1);
  UpdateControl(1, 0);
  return loaded ? 1 : 0;
}

int CPhotoFrame::SetShowMode(int mode, int value) {
  if (mode == fit_.mode && (mode != kShowNinePatch || value == fit_.corner)) return 0;
  fit_.mode = mode;
  if (mode == kShowNinePatch) fit_.corner = value;
  UpdateControl(1, 0);
  return 1;
}

int CPhotoFrame::SetShowModeMID(int left, int top, int right, int bottom) {
  fit_.margins = Margins{left, top, right, bottom};
  fit_.mode = kShowNinePatchMID;
  UpdateControl(1, 0);
  return 1;
}

int CPhotoFrame::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  return SetState(rect_.Contains(p) ? kStateHover : kStateNormal) ? 1 : 0;
}

int CPhotoFrame::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  SetState(kStatePressed);
  SendMessageW(kNotifyPressed);
  return 1;
}

int CPhotoFrame::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool was_pressed = state_ == kStatePressed;
  bool inside = rect_.Contains(p);
  SetState(inside ? kStateHover : kStateNormal);
  if (inside && was_pressed) SendMessageW(kNotifyActivated);
  return 1;
}

void CPhotoFrame::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, kSlots, std::clamp(state_, 0, kSlots - 1));
}

void CPhotoFrame::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  if (!photo_.Empty()) fit_.Draw(cr, *photo_.Get(), photo_.Frame(0), box);
  DrawFrameNinePatch(cr, slot, box, kFrameCorner);
}

}  // namespace tumi
