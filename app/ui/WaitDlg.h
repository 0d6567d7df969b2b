#pragma once
// The busy indicator shown while the device worker writes to the keyboard: a
// 102-pixel square with the animated "loading.gif", centred on the window it
// covers. The worker's completion closes it with DoOK.
#include "uilib/core/MDialog.h"

namespace tessaro {

class WaitDlg final : public tumi::MDialog {
 public:
  static constexpr int kSize = 102;
  static constexpr unsigned kAnimation = 30;
  static constexpr const char* kTitle = "WaitDlg";
  static constexpr const char* kImage = "loading.gif";
  static constexpr tumi::ColorRef kBackColor = 0x333333;
  static constexpr int kAnimationPeriod = 10;

  void InitUI(const tumi::Rect& client) override;
  int OnInitDialog() override;

  // Creates the window over the middle of the parent's window rectangle.
  tumi::WindowId CreateOver(tumi::WindowId parent);
};

// Creates the busy dialog over the parent and runs it modally until it is
// closed; the close result.
unsigned ShowBusy(WaitDlg& dialog, tumi::WindowId parent);

}  // namespace tessaro
