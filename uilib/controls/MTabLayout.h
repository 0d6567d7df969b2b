#pragma once
// A tab page: a panel that a tab strip shows while its tab is selected. Its
// empty parts let the mouse through to what lies under the page.
#include "uilib/controls/MPanel.h"

namespace tumi {

class MTabLayout : public MPanel {
 public:
  MTabLayout(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "MTabLayout"; }
  // 1 only over one of the page's own controls.
  int OnCheckMouseResponse(unsigned flags, Point p) override;
};

}  // namespace tumi
