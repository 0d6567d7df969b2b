#include "uilib/controls/MTabLayout.h"

namespace tumi {

MTabLayout::MTabLayout(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MPanel(parent, id, rect, visible) {
  frame_count_ = 1;
  run_timer_ = 1;
}

int MTabLayout::OnCheckMouseResponse(unsigned /*flags*/, Point p) {
  for (MControl* child : ChildrenSnapshot()) {
    if (!child->IsDetached() && child->PtInRect(p)) return 1;
  }
  return 0;
}

}  // namespace tumi
