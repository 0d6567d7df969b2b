#pragma once
// The vertical geometry of a list of equally high rows shown in a control
// that scrolls them with its scroll bar: how high the content is, how far it
// is scrolled and which rows are visible. Pure arithmetic, no state beyond
// its inputs.
namespace tumi {

struct ListViewport {
  int count = 0;        // rows
  int item_height = 1;  // pixels per row
  int height = 0;       // the control's height
  int position = 0;     // the scroll bar's position
  int range = 0;        // the scroll bar's maximum

  int ContentHeight() const;
  // Whether the rows need a scroll bar: the content is higher than the control.
  bool NeedsScroll() const { return ContentHeight() > height; }
  // Pixels of content above the visible area; 0 while the rows fit or the
  // scroll bar has no range (an empty list).
  int Offset() const;
  // The first and last visible row; -1 for both in an empty list.
  int FirstVisible() const;
  int LastVisible() const;
  // The row at a y in control coordinates, -1 where there is none.
  int RowAt(int y) const;
  // The top of row i in the control's memory picture, which starts at the
  // first visible row.
  int DrawTop(int row) const { return Row() * (row - FirstVisible()); }

 private:
  int Row() const { return item_height > 0 ? item_height : 1; }
};

}  // namespace tumi
