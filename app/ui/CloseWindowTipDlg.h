#pragma once
// Asks once what the close button does: hide to the tray or quit. OK stores
// the choice as "exit_mode"; there is no cancel, and a close from outside
// (the close-popups step) chooses nothing and stores nothing.
#include <optional>

#include "app/shell/CloseBehaviour.h"
#include "uilib/core/MDialog.h"

namespace tessaro {

class CloseWindowTipDlg final : public tumi::MDialog {
 public:
  static constexpr int kWidth = 360;
  static constexpr int kHeight = 200;
  static constexpr const char* kTitle = "CloseWindowTipDlg";
  static constexpr unsigned kQuestion = 30;
  static constexpr int kQuestionText = 173;
  static constexpr int kOkText = 22;

  explicit CloseWindowTipDlg(Registry& registry) : choice_(registry) {}

  void InitUI(const tumi::Rect& client) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;

  int Selected() const { return choice_.Selected(); }
  // The choice confirmed with OK; nullopt until then.
  std::optional<int> Confirmed() const { return confirmed_; }

 private:
  void ShowSelection();

  CloseWindowTipChoice choice_;
  std::optional<int> confirmed_;
};

// Runs the dialog modally over the parent: the confirmed choice (1 hide, 2
// exit), nullopt when it was closed without one.
std::optional<int> RunCloseWindowTip(tumi::WindowId parent, Registry& registry);

}  // namespace tessaro
