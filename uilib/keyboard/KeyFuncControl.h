#pragma once
// The key function grid: an on-screen keyboard of 104 keys under a row of 18
// function icons, from which the user picks what a key of the keyboard shall
// send. Each button carries the code it stands for; the program marks the
// function currently assigned and reads the clicked one back.
//
// UI thread only; the item lock keeps the list whole while it is drawn.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/controls/MPanel.h"

namespace tumi {

// One button of the grid.
struct KeyFuncItem {
  std::string text;  // the label, or an icon button's tooltip
  int item_data = 0;
  int key = 0;
  int second_key = 0;
  std::shared_ptr<const Image> icon;
  Rect rect;  // relative to the control, before scrolling
};

class KeyFuncControl : public MPanel {
 public:
  // Buttons up to this width stretch their frame; wider ones keep its corners.
  static constexpr int kStretchWidth = 60;
  static constexpr int kFrameCorner = 8;
  static constexpr int kIconSize = 20;

  KeyFuncControl(MObject* parent, unsigned id, const Rect& rect, int visible);
  ~KeyFuncControl() override;

  const char* GetClassNameW() const override { return "KeyFuncControl"; }

  // Replaces the buttons with the 122 built-in ones.
  void InitItemInfo();
  void ClearItems();
  // The text (an icon button's tooltip) of the first button with the code.
  void SetItemDesc(int item_data, const std::string& text);
  // Marks the first button with all three values; item data 0 marks none.
  void SetItemCheckByItemData(int item_data, int key, int second_key);
  // The clicked button's values; false when nothing was clicked. `first` is
  // left as it is.
  bool GetCurItemData(int& first, int& item_data, int& key, int& second_key,
                      std::string& text) const;

  int GetItemCount() const;
  // A copy of one button; an empty item for an index out of range.
  KeyFuncItem GetItem(int index) const;
  int GetHoverItem() const { return hovered_; }
  int GetClickedItem() const { return clicked_; }
  int GetMarkedItem() const { return marked_; }
  // The button under a window point, -1 for none.
  int HitTest(Point p) const;

  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned /*flags*/, Point /*p*/) override { return 0; }
  int OnControlLButtonDblClk(unsigned flags, Point p) override;
  int OnControlScroll(int /*kind*/, int /*direction*/, Point /*p*/) override { return 1; }

 private:
  // Slots of the render cache: every button in one of its frames. Hover,
  // clicks and marks copy single buttons from the other slots, so only new
  // buttons, texts, images or sizes redraw the grid.
  enum Slot { kRestSlot = 0, kHoverSlot = 1, kMarkedSlot = 2, kSlotCount = 3 };

  int ScrollOffset() const { return v_scroll_offset_; }
  Rect ItemWindowRect(const KeyFuncItem& item) const;
  bool ValidIndex(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
  void SetCursorShape(const char* name);
  void OfferTooltip();
  void DrawButtons(cairo_t* cr, Slot slot) const;
  void CopyButton(cairo_t* cr, int index, Slot slot) const;
  void DrawButton(cairo_t* cr, const KeyFuncItem& item, const Rect& box, int frame) const;

  mutable std::recursive_mutex items_lock_;
  std::vector<std::unique_ptr<KeyFuncItem>> items_;
  int hovered_ = -1;
  int clicked_ = -1;
  int marked_ = -1;
  int tooltip_index_ = -1;
};

}  // namespace tumi
