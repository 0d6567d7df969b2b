#pragma once
// The profile and macro lists: one named row per entry with its item data
// (the profile or macro id), a state picture in the left margin and in-place
// renaming. Notifications: 1 left press on a row, 2 left release on a row, 5
// right release inside the list (wparam the row or -1), 29 a committed
// rename that changed the text (lparam the row).
#include <cstdint>
#include <memory>
#include <string>

#include "uilib/keyboard/DListItem.h"
#include "uilib/keyboard/RowList.h"

namespace tumi {

class DListBox : public RowList<DListItem> {
 public:
  DListBox(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "DListBox"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int PtInRect(Point p) const override;
  std::shared_ptr<const Image> GetControlDropBitmap() override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlRButtonUp(unsigned flags, Point p) override;
  // The state picture: a strip of frame_count frames (frame 1 for the
  // selected row). 0 when it cannot be loaded.
  int SetImage(const std::string& name, int frame_count) override;

  int AddString(const std::string& text, std::uint32_t data, int image);
  int AddString(const std::string& text, int image) { return AddString(text, 0, image); }
  // Inserts before the index (-1 appends); returns the new row's index, or -1
  // for an index outside -1 to the last row.
  int InsertString(int index, const std::string& text, int image, std::uint32_t data);
  std::string GetItemText(int index) const;
  bool ModifyItemString(int index, const std::string& text);
  std::uint32_t GetItemData(int index) const;
  bool SetItemData(int index, std::uint32_t data);
  int FindString(const std::string& text) const;
  int FindItemData(std::uint32_t data) const;
  std::uint32_t GetCurData() const;
  // Selects the first row with the data; its index, or -1 (selection kept).
  int SetCurData(std::uint32_t data);
  // The edit frame: a strip of 4 frames whatever the count says.
  int SetEditImage(const std::string& name, int frame_count);
  void EnableShowEdit(bool enable) { edit_enabled_ = enable; }
  // Opens the rename box on the selected row.
  void ShowEdit();
  void HideEdit(bool force) override;
  // Where the rename box of a row goes, in window coordinates.
  Rect EditRect(int row) const;

  static constexpr int kItemHeight = 32;
  static constexpr int kTextMargin = 50;
  static constexpr ColorRef kEditBackground = 0x351806;
  static constexpr int kEditCorner = 6;
  static constexpr int kDragWidthLimit = 300;

 private:
  void DrawRow(cairo_t* cr, int row, const DListItem& item, int top, int width);
  void DrawStateImage(cairo_t* cr, int frame, int top);

  const ImgResInfo* edit_image_ = nullptr;
  bool edit_enabled_ = false;
};

}  // namespace tumi
