#include "app/shell/CloseBehaviour.h"

namespace tessaro {

CloseAction CloseBehaviour::OnCloseButton(const std::function<std::optional<int>()>& ask,
                                          bool tray_present) {
  int mode = registry_.ReadInt(kSetting);
  if (mode == kNotChosen) {
    const std::optional<int> choice = ask ? ask() : std::nullopt;
    // Closed from outside (the close-popups step on a device arrival) is no
    // answer: neither exit nor remember anything.
    if (!choice) return CloseAction::kNone;
    mode = registry_.ReadInt(kSetting);
    if (mode == kNotChosen) mode = *choice;  // chosen, but the settings could not keep it
  }
  if (mode != kHideToTray) return CloseAction::kExit;
  // Hiding with no icon to come back through would strand the program.
  return tray_present ? CloseAction::kHide : CloseAction::kMinimize;
}

int CloseBehaviour::CloseButtonTip() {
  return registry_.ReadInt(kSetting) == kExit ? kTipExit : kTipHide;
}

CloseWindowTipChoice::CloseWindowTipChoice(Registry& registry)
    : registry_(registry),
      selected_(registry.ReadInt(CloseBehaviour::kSetting) == CloseBehaviour::kExit ? kExitButton
                                                                                    : kHideButton) {
}

void CloseWindowTipChoice::Select(int button) {
  if (button == kHideButton || button == kExitButton) selected_ = button;
}

int CloseWindowTipChoice::Confirm() {
  const int mode = selected_ == kHideButton ? CloseBehaviour::kHideToTray : CloseBehaviour::kExit;
  registry_.WriteInt(CloseBehaviour::kSetting, mode);
  return mode;
}

}  // namespace tessaro
