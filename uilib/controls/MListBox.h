#pragma once
// A scrolling text list with an icon column and in-place renaming. Reports
// code 1 on a press (wparam the selection), 3 on a double click, 5 on a
// right click over a row and 29 when a rename was committed (lparam the
// row). The setters never notify.
//
// UI thread; the item vector has its own lock, held only while items are
// read or changed.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/controls/ListScroll.h"
#include "uilib/controls/MPanel.h"
#include "uilib/controls/TextField.h"

namespace tumi {

class MImageList;

class MListBox : public MPanel {
 public:
  static constexpr int kTextMargin = 50;  // the icon column
  static constexpr int kWheelRows = 10;

  MListBox(MObject* parent, unsigned id, const Rect& rect, int visible);
  ~MListBox() override;

  const char* GetClassNameW() const override { return "MListBox"; }

  int AddString(const std::string& text, int icon = -1);
  int AddString(const std::string& text, long data, int icon);
  int InsertString(int index, const std::string& text, int icon = -1, long data = 0);
  int SetItemData(int index, long data);
  long GetItemData(int index) const;
  int ModifyItemString(int index, const std::string& text);
  std::string GetItemText(int index) const;
  int FindString(const std::string& text) const;
  int FindItemData(long data) const;
  int GetItemCount() const;
  int SetCurData(long data);
  int SetCurSel(int index);
  int GetCurSel() const { return selected_; }
  int GetHoverItem() const { return hover_; }
  void SetItemHeight(int height);
  int GetItemHeight() const { return item_height_; }
  int DeleteItem(int index);
  int DeleteAllItems();
  // The row's rectangle in window coordinates; empty for a bad index.
  Rect GetItemRect(int index) const;
  int SwapItem(int first, int second);
  void SetImageList(MImageList* images) { images_ = images; }
  void EnableShowEdit(int enable) { edit_enabled_ = enable; }
  int IsShowEditEnabled() const { return edit_enabled_; }
  // Opens the rename box over the selected row.
  void ShowEdit();
  // Closes the rename box, committing a changed text.
  void HideEdit();
  // Closes the rename box and keeps the row's text.
  void CancelEdit();
  int GetEditIndex() const { return edit_index_; }
  // The rename box, null before the first rename.
  TextField* GetEditor() const { return editor_.get(); }

  ListView GetView() const;

  int SetControlFocus(int focus) override;
  void SetControlRect(const Rect& rect) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlLButtonDblClk(unsigned flags, Point p) override;
  int OnControlRButtonUp(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  std::shared_ptr<const Image> GetControlDropBitmap() override;

 private:
  struct Item {
    std::string text;
    int icon = -1;
    long data = 0;
  };

  bool ValidIndex(int index) const;
  void UpdateBar();
  int RowAtPoint(Point p) const;
  void SetHover(int row);
  Rect EditorRect(int row) const;
  Argb EditorTextColor() const;
  bool InEditor(Point p) const;

  mutable std::mutex items_lock_;
  std::vector<Item> items_;
  int hover_ = -1;
  int selected_ = -1;
  int edit_index_ = -1;
  int item_height_ = 30;
  MImageList* images_ = nullptr;  // not owned
  Argb hover_fill_;
  Argb selection_fill_;
  int edit_enabled_ = 0;
  std::unique_ptr<TextField> editor_;  // created on the first rename
};

}  // namespace tumi
