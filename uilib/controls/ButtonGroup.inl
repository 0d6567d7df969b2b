#pragma once
#include <vector>

#include "uilib/core/PaintManager.h"

namespace tumi {

template <typename Button>
void UncheckGroup(Button& self, bool usable_only) {
  std::vector<MControl*> siblings;
  if (auto* parent = dynamic_cast<MControl*>(self.GetParantObject())) {
    siblings = parent->ChildrenSnapshot();
  } else if (PaintManager* manager = self.GetManager()) {
    siblings = manager->ControlsSnapshot();
  }
  for (MControl* control : siblings) {
    if (control == &self || !control->IsClass(self.GetClassNameW())) continue;
    auto* other = dynamic_cast<Button*>(control);
    if (!other || other->GetGroupName() != self.GetGroupName()) continue;
    if (usable_only && (!other->IsVisible() || !other->IsEnabled())) continue;
    other->SetControlCheck(0);
    other->UpdateControl(0, 0);
  }
}

}  // namespace tumi
