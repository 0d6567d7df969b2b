#pragma once
// Small typed steps on controls the window made by class name: a control that
// is missing (its class not registered) or of another kind is left alone, so
// the window runs on whatever controls exist.
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/MControl.h"

namespace tessaro {

void SetControlText(tumi::MControl* control, const std::string& text);
void SetControlTextColor(tumi::MControl* control, tumi::Argb color);
// A single-frame skin image (a picture's image).
void SetControlImage(tumi::MControl* control, const std::string& name);
void ShowControl(tumi::MControl* control, bool visible);
// The text of a titled control; empty for others.
std::string ControlText(tumi::MControl* control);

}  // namespace tessaro
