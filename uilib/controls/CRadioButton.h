#pragma once
// A radio button: drawn and pressed as a check box, but a click only ever
// checks it, and checking one unchecks the others of its group (the sibling
// radio buttons with the same group name).
#include <string>

#include "uilib/controls/CCheckButton.h"

namespace tumi {

class CRadioButton : public CCheckButton {
 public:
  using CCheckButton::CCheckButton;

  const char* GetClassNameW() const override { return "RadioButton"; }
  int SetCheck(int check) override;
  // Check and state, without the group and whether enabled or not.
  void SetControlCheck(int check);
  void SetGroupName(const std::string& name) { group_ = name; }
  const std::string& GetGroupName() const { return group_; }
  void ResetGroupCheck();

 protected:
  void OnClickToggle() override;
  void OnKeyToggle() override;

 private:
  std::string group_;
};

}  // namespace tumi
