#pragma once
// The tab strip: a row (tab type 0) or a column (tab type 1) of tab items,
// each with an icon strip, a title and an optional page control that is shown
// while its item is selected. A change of selection is told to the parent
// (kNotifyActivated with the new index) before the pages switch; optionally
// the old page slides out while the new one slides in.
#include <memory>
#include <string>
#include <vector>

#include "uilib/core/Image.h"
#include "uilib/core/MControlFont.h"

namespace tumi {

// One tab item. The program reads the id and title and may move an item by
// writing its rectangle's top and bottom.
struct TabItemInfo {
  int visible = 1;
  std::shared_ptr<const Image> image;  // the icon strip, owned by the item
  int frame_width = 0;
  int frame_height = 0;
  int frame_count = 3;
  Rect rect;  // window coordinates
  std::string title;
  unsigned id = 0;
  Rect button_rect;  // reserved per-item button, relative to the strip
  int button_state = 0;
  int tooltip = 0;
  MControl* page = nullptr;  // not owned
};

class MTabCtrl : public MControlFont {
 public:
  static constexpr int kHorizontal = 0;
  static constexpr int kVertical = 1;
  static constexpr unsigned kSlideTimer = 100;
  static constexpr int kSlidePeriodMs = 30;
  static constexpr int kSlideSteps = 10;

  MTabCtrl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);

  const char* GetClassNameW() const override { return "MTabCtrl"; }
  // Children's notifications pass on, unchanged, to the strip's parent.
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int DrawSubControls(cairo_t* cr, const Rect& clip) override;
  int OnCheckMouseResponse(unsigned flags, Point p) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlVisible(int visible) override;
  void SetControlWndVisible(int /*visible*/) override {}
  int OnControlTimer() override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override;
  int OnControlKeyDown(int key, int repeat, int modifiers) override;
  int OnControlKeyUp(int /*key*/, int /*repeat*/, int /*modifiers*/) { return 0; }

  // Appends an item whose icon strip is the skin image `image_name` of
  // `frame_count` frames (-1: 3); `width` 0 takes the frame width. 1.
  int InsertItem(unsigned id, const std::string& title, const std::string& image_name,
                 MControl* page, int frame_count, int width);
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  int GetSelectItem() const { return selected_; }
  int GetHoverItem() const { return hover_; }
  // Null for a bad index; valid until items are inserted or deleted.
  TabItemInfo* GetItemInfo(int index);
  // Selects an item and returns the previous selection; the current index or
  // one outside the items changes nothing.
  int SetSelectItem(int index);
  int SetItemText(int index, const std::string& title);
  void SetItemVisible(int index, int visible);
  int GetItemVisible(int index) const;
  unsigned GetItemID(int index) const;
  void DeleteItem(int index);

  void SetTabCtrlWidth(int width) { ctrl_width_ = width; }
  void SetTabCtrlHeight(int height) { ctrl_height_ = height; }
  int GetCtrlWidth() const { return ctrl_width_; }
  int GetCtrlHeight() const { return ctrl_height_; }
  void SetLeftRightPading(int left, int right) {
    pad_left_ = left;
    pad_right_ = right;
  }
  void SetTopBottomPading(int top, int bottom) {
    pad_top_ = top;
    pad_bottom_ = bottom;
  }
  // The strip's length shared out among the items, kept between minimum and
  // maximum (a minimum of 0 or less: every item is `maximum`).
  void SetItemWidth(int maximum, int minimum, int relayout);
  void SetItemHeight(int maximum, int minimum, int relayout);
  int GetItemWidth() const { return item_width_; }
  int GetItemHeight() const { return item_height_; }
  void RefreshItems();

  void SetTabType(int type) { tab_type_ = type; }
  int GetTabType() const { return tab_type_; }
  void EnableAnimateChangeTab(int enable) { animate_ = enable; }
  void SetUpdataRect(const Rect& rect) { update_rect_ = rect; }
  int IsSliding() const { return running_; }
  // The slide's progress along the strip: 0 up to the strip's size (or its
  // negative when the new tab lies before the old one).
  int GetSlideOffset() const { return tab_type_ == kVertical ? v_offset_ : h_offset_; }

  // Only "MTabLayout": a page owned by the strip (a visible child control).
  MControl* CreatePanel(const std::string& class_name, unsigned id, const Rect& rect);
  int PtInTabButton(Point p, int item) const;
  // Shows the text as the strip's tooltip over the item.
  void SetTabTooltip(int index, const std::string& text);
  void ClearTabTooltip();

 private:
  bool Valid(int index) const { return index >= 0 && index < GetItemCount(); }
  int ItemAt(Point p) const;
  int LastVisible() const;
  int StripWidth() const { return ctrl_width_ > 0 ? ctrl_width_ : rect_.Width(); }
  int StripHeight() const { return ctrl_height_ > 0 ? ctrl_height_ : rect_.Height(); }
  // The part of the strip where the tabs are.
  Rect TabArea() const;
  int SlideLength() const;
  // Places one visible item at x, y and advances them.
  void PlaceItem(TabItemInfo& item, int& x, int& y, int gap);
  int ShareOut(int length, int padding, int maximum, int minimum) const;
  void ShowPages();
  MControl* PageOf(int index) const { return Valid(index) ? items_[index].page : nullptr; }
  void DrawVertical(cairo_t* cr);
  void DrawHorizontal(cairo_t* cr);
  void ShowFromCache(cairo_t* cr, int index, Point slot_origin, const Rect& area);
  void StartSlide();
  void StopSlide();
  Rect SlideArea() const;
  void DrawSlide(cairo_t* cr, const Rect& clip);

  int tab_type_ = kHorizontal;
  std::vector<TabItemInfo> items_;
  int item_width_ = 0;
  int item_height_ = 0;
  int item_width_max_ = 0;
  int item_width_min_ = 0;
  int item_height_max_ = 0;
  int item_height_min_ = 0;
  int ctrl_width_ = 0;
  int ctrl_height_ = 0;
  int pad_left_ = 0;
  int pad_right_ = 0;
  int pad_top_ = 0;
  int pad_bottom_ = 0;
  int hover_ = -1;
  int selected_ = -1;
  int previous_ = -1;
  int last_tooltip_ = -1;
  int pressed_ = 0;
  int animate_ = 0;
  int running_ = 0;
  int h_offset_ = 0;
  int v_offset_ = 0;
  Rect update_rect_;
  // The two pictures of a slide, kept between its frames.
  std::shared_ptr<Image> slide_out_;
  std::shared_ptr<Image> slide_in_;
};

}  // namespace tumi
