#include "app/ui/ControlAccess.h"

#include "uilib/core/MControlFont.h"

namespace tessaro {

namespace {
tumi::MControlFont* Titled(tumi::MControl* control) {
  return dynamic_cast<tumi::MControlFont*>(control);
}
}  // namespace

void SetControlText(tumi::MControl* control, const std::string& text) {
  if (tumi::MControlFont* titled = Titled(control)) titled->SetTitle(text);
}

void SetControlTextColor(tumi::MControl* control, tumi::Argb color) {
  if (tumi::MControlFont* titled = Titled(control)) titled->SetTextColor(color);
}

void SetControlImage(tumi::MControl* control, const std::string& name) {
  if (tumi::MControlFont* titled = Titled(control)) titled->SetImage(name, 1);
}

void ShowControl(tumi::MControl* control, bool visible) {
  if (control && (control->IsVisible() != 0) != visible) control->SetVisible(visible ? 1 : 0);
}

std::string ControlText(tumi::MControl* control) {
  tumi::MControlFont* titled = Titled(control);
  return titled ? titled->GetTitle() : std::string();
}

}  // namespace tessaro
