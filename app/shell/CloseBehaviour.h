#pragma once
// What the close button does, as the user chose once in CloseWindowTipDlg and
// the settings keep as "exit_mode": 0 not chosen yet (ask), 1 hide to the
// tray, 2 exit. Pure decisions; the window carries them out.
#include <functional>
#include <optional>

#include "app/shell/Registry.h"

namespace tessaro {

enum class CloseAction {
  kNone,      // the dialog was closed without a choice: nothing happens
  kHide,      // hide the window; the tray icon brings it back
  kMinimize,  // "hide" chosen, but no notification area shows the icon
  kExit,      // exit path 2
};

class CloseBehaviour {
 public:
  static constexpr const char* kSetting = "exit_mode";
  static constexpr int kNotChosen = 0;
  static constexpr int kHideToTray = 1;
  static constexpr int kExit = 2;
  // The close button's tooltip texts.
  static constexpr int kTipHide = 171;
  static constexpr int kTipExit = 172;

  explicit CloseBehaviour(Registry& registry) : registry_(registry) {}

  // The close button. When nothing is chosen yet, ask runs the dialog modally
  // and answers the choice the user confirmed, or nullopt when the dialog was
  // closed from outside. A stored value other than 1 exits.
  CloseAction OnCloseButton(const std::function<std::optional<int>()>& ask, bool tray_present);
  // The text key of the close button's tooltip.
  int CloseButtonTip();

 private:
  Registry& registry_;
};

// The state of CloseWindowTipDlg: two radio buttons of group "exit_mode" and OK.
class CloseWindowTipChoice {
 public:
  static constexpr int kHideButton = 31;
  static constexpr int kExitButton = 32;
  static constexpr int kOkButton = 33;

  // Selects the exit button when "exit_mode" is 2, else the hide button.
  explicit CloseWindowTipChoice(Registry& registry);

  int Selected() const { return selected_; }
  // 31 or 32; other ids change nothing.
  void Select(int button);
  // OK: stores 1 or 2 as "exit_mode" and answers the choice (also when the
  // store failed, so this close still goes the way the user chose).
  int Confirm();

 private:
  Registry& registry_;
  int selected_ = kHideButton;
};

}  // namespace tessaro
