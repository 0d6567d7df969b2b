#pragma once
// The steps of the macro being edited: one row per step with its text, its
// kind ("Key Down", "Key Up") and its delay, which a click in the delay
// column edits in place as a number of at most five digits. Notifications:
// 1 left press inside the list (wparam the selected row or -1), 5 right
// release on a row, 29 a committed delay that changed (lparam the row).
#include <string>
#include <vector>

#include "uilib/keyboard/RecordItem.h"
#include "uilib/keyboard/RowList.h"

namespace tumi {

class CRecordList : public RowList<RecordItem> {
 public:
  CRecordList(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "CRecordList"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlRButtonUp(unsigned flags, Point p) override;

  // Appends a step; returns its index.
  int AddString(const std::string& text, int type, int value, int delay);
  // The rows themselves (still owned by the list), in order.
  std::vector<RecordItem*> GetRecordItems() const;
  // The delay of the last step; false for an empty list.
  bool UpdateDelayTime(int delay);
  // Opens the delay editor on the hovered row (with a row selected).
  void ShowEdit();
  void HideEdit(bool force) override;
  // Where the delay editor of a row goes, in window coordinates.
  Rect EditRect(int row) const;

  static constexpr int kItemHeight = 41;
  static constexpr int kDelayMaxDigits = 5;
  // An emptied delay counts as this many milliseconds.
  static constexpr int kDefaultDelay = 10;
  static constexpr ColorRef kEditBackground = 0x351806;
  // The three columns, in x from the list's left edge.
  static constexpr int kTextLeft = 0, kTextRight = 160;
  static constexpr int kKindLeft = 180, kKindRight = 280;
  static constexpr int kDelayLeft = 300, kDelayRight = 420;

 protected:
  void ConfigureEditor(TextField& editor) override;

 private:
  static const char* KindText(int type);
};

}  // namespace tumi
