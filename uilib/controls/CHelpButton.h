#pragma once
// A small help mark: one picture stretched over the button; hovering shows
// its title in the window's bubble tip below-left of it.
#include <string>

#include "uilib/controls/MButton.h"

namespace tumi {

class CHelpButton : public MButton {
 public:
  CHelpButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
              int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CHelpButton"; }

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;
  void OnStateChanged(int old_state, int new_state) override;
};

}  // namespace tumi
