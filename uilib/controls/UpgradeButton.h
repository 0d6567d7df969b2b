#pragma once
// A push button with an update badge: a red dot with "1" at its top-right
// corner while an update is available.
#include <string>

#include "uilib/controls/MButton.h"

namespace tumi {

class UpgradeButton : public MButton {
 public:
  UpgradeButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "UpgradeButton"; }
  void SetUpgradeStatus(int status);
  int GetUpgradeStatus() const { return status_; }

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;

 private:
  int status_ = 0;
};

}  // namespace tumi
