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
  return FollowPointer(p, false);
}

int CPhotoFrame::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  return PressInside(p);
}

int CPhotoFrame::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  return ReleaseAt(p);
}

void CPhotoFrame::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  DrawSlots(cr, kSlots, std::clamp(state_, 0, kSlots - 1));
}

void CPhotoFrame::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  if (!photo_.Empty()) fit_.Draw(cr, *photo_.Get(), photo_.Frame(0), box);
  DrawFrameNinePatch(cr, slot, box, kFrameCorner);
}

}  // namespace tumi
