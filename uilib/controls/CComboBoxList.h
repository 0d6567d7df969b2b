#pragma once
// The scrolling list inside a combo box's drop-down: rows of 30 pixels with
// a hover and a selection fill. A release on a row reports the pick to the
// drop-down window (code 2, wparam the row, lparam kPickMarker).
#include <mutex>
#include <string>
#include <vector>

#include "uilib/controls/ComboItem.h"
#include "uilib/controls/ListScroll.h"
#include "uilib/controls/MPanel.h"

namespace tumi {

class CComboBoxList : public MPanel {
 public:
  static constexpr int kItemHeight = 30;
  // The lparam that marks a pick, so the combo box tells it from other code-2
  // notifications.
  static constexpr long kPickMarker = 19;
  // Rows that fit without a bar: adding more lays the bar out again.
  static constexpr int kRowsWithoutBar = 5;

  CComboBoxList(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled);

  const char* GetClassNameW() const override { return "CComboBoxList"; }

  int AddItem(const std::string& text, long data, const std::string& second_text, Argb color);
  int DelAllItems();
  int GetItemCount() const;
  int GetListHeight() const { return GetItemCount() * kItemHeight; }
  void SetTextColor(Argb color) override;
  void SetHighlightTextColor(Argb color) { highlight_text_color_ = color; }

  int GetCurSel() const { return selected_; }
  // Selects and shows a row without reporting it.
  void SelectRow(int row) { SelectByKey(row); }
  int GetHoverItem() const { return hover_; }
  ListView GetView() const;
  // The row's rectangle in window coordinates (empty for a bad index).
  Rect GetRowRect(int row) const;

  void SetControlRect(const Rect& rect) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override;
  // Up, Down, Page Up, Page Down, Home and End move the selection; Enter
  // picks it.
  int OnControlKeyDown(int key, int repeat, int modifiers) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  void UpdateBar();
  int RowAtPoint(Point p) const;
  void SetHover(int row);
  void SelectByKey(int row);

  mutable std::mutex items_lock_;
  std::vector<ComboItem> items_;
  int hover_ = -1;
  int selected_ = -1;
  Argb highlight_text_color_ = 0xFFFFFFFF;
  Argb hover_fill_;
  Argb selection_fill_;
};

}  // namespace tumi
