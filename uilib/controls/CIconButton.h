#pragma once
// An icon tab: a nine-patch frame with its title, checked by a completed
// click (which unchecks the usable icon buttons of its group); the checked
// one stays pressed. It carries three lines of tip text for a tip window.
#include <array>
#include <memory>
#include <string>

#include "uilib/controls/MButton.h"

namespace tumi {

class CKeyboardTips;

class CIconButton : public MButton {
 public:
  CIconButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
              int visible = 1, int enabled = 1);
  ~CIconButton() override;

  const char* GetClassNameW() const override { return "IconButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;

  int GetCheck() const { return check_; }
  // Only while enabled; checking unchecks the group. Returns the check.
  int SetCheck(int check);
  // Check and state, without the group and whether enabled or not.
  void SetControlCheck(int check);
  // Shows the pressed slot (or not) without a click.
  void SetDownState(int down);
  void SetGroupName(const std::string& name) { group_ = name; }
  const std::string& GetGroupName() const { return group_; }
  void ResetGroupCheck() { UncheckGroup(*this, true); }
  // The three lines of the tip, and whether hovering shows it.
  void SetTips(const std::string& first, const std::string& second, const std::string& third);
  void SetTips(int show) { SetShowTips(show); }
  void SetShowTips(int show);
  const std::array<std::string, 3>& GetTips() const { return tips_; }
  int IsShowTips() const { return show_tips_; }
  // The tip window, null until the first hover showed it.
  CKeyboardTips* GetTipWindow() const { return tip_.get(); }

 protected:
  void DrawSlot(cairo_t* cr, int slot, const Rect& box) override;
  void OnClicked() override;
  void OnStateChanged(int old_state, int new_state) override;

 private:
  int check_ = 0;
  std::string group_;
  std::array<std::string, 3> tips_;
  int show_tips_ = 0;
  std::unique_ptr<CKeyboardTips> tip_;
};

}  // namespace tumi
