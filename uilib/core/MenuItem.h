#pragma once
// One entry of a context menu: an ordinary item, a checkable item or a
// separator. Its picture holds one slot per state, side by side:
//   0 normal, 1 hovered, 2 pressed (or checked), 3 disabled,
//   and for a checkable item 6 hovered and checked, 7 disabled and checked
// (a checkable item keeps eight slots so every state has its own; an
// ordinary item four, a separator one).
#include <memory>
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class MenuWnd;

class MenuItem : public MControlFont {
 public:
  enum State {
    kNormal = 0,
    kHover = 1,
    kPressed = 2,
    kDisabled = 3,
    kHoverChecked = 6,
    kDisabledChecked = 7
  };

  MenuItem(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible,
           int enabled);

  const char* GetClassNameW() const override { return "MenuItem"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  int GetCheck() const { return check_; }
  // 0 for an item that is not checkable; a disabled item keeps its check.
  int SetCheck(int check);
  void SetControlCheck(int check);
  void SetCheckable(int checkable) { checkable_ = checkable; }
  int IsCheckable() const { return checkable_; }
  int ResetGroupCheck() { return 1; }
  std::string GetGroupValue() const { return {}; }
  MenuWnd* GetParentMenu() const { return nullptr; }
  void ShowPopupMenu() {}
  int GetState() const { return state_; }

  void SetSeparator(int separator) { separator_ = separator; }
  int IsSeparator() const { return separator_; }
  int IsPopup() const { return popup_; }
  void SetPopupMenu(MenuWnd* menu) {
    popup_menu_ = menu;
    popup_ = menu != nullptr;
  }
  MenuWnd* GetPopupMenu() const { return popup_menu_; }
  void SetTextMargin(int margin) { text_margin_ = margin; }
  int GetTextMargin() const { return text_margin_; }
  void SetFrameWidth(int inset) { hover_inset_ = inset; }
  void SetGroupName(const std::string& name) { group_name_ = name; }
  const std::string& GetGroupName() const { return group_name_; }
  const std::string& GetValue() const { return value_; }
  void SetHoverColor(Argb color) { hover_color_ = color; }
  void SetHoverImage(std::shared_ptr<const Image> image) { hover_image_ = std::move(image); }
  void SetArrowImage(std::shared_ptr<const Image> image) { arrow_image_ = std::move(image); }

  // The cache slot that shows a state: never beyond the slots there are.
  int SlotCount() const;
  int SlotOf(int state) const;

 private:
  void SetState(int state);
  void RenderSlot(cairo_t* cr, int slot, int width, int height);

  int state_ = kNormal;
  int check_ = 0;
  int pressed_ = 0;
  int checkable_ = 0;
  int separator_ = 0;
  int popup_ = 0;
  MenuWnd* popup_menu_ = nullptr;
  int text_margin_ = 30;
  int hover_inset_ = 0;
  std::string group_name_ = "Menu Group";
  std::string value_;
  Argb hover_color_ = 0xFFC95100;
  std::shared_ptr<const Image> hover_image_;
  std::shared_ptr<const Image> arrow_image_;
};

}  // namespace tumi
