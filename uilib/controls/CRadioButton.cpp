#include "uilib/controls/CRadioButton.h"

namespace tumi {

int CRadioButton::SetCheck(int check) {
  if (!enabled_) return check_;
  int old = check_;
  CCheckButton::SetCheck(check);
  if (check_ != old && check_) ResetGroupCheck();
  return check_;
}

void CRadioButton::SetControlCheck(int check) {
  check_ = check ? 1 : 0;
  state_ = Visual(enabled_ ? kStateNormal : kStateDisabled);
}

void CRadioButton::ResetGroupCheck() {
  UncheckGroup(*this, false);
}

void CRadioButton::OnClickToggle() {
  check_ = 1;
  ResetGroupCheck();
}

void CRadioButton::OnKeyToggle() {
  check_ = 1;
  ResetGroupCheck();
  SetState(Visual(state_ & 3));
  SendMessageW(kNotifyCheckChanged, 0, 1);
}

}  // namespace tumi
