#pragma once
// The two position texts of a layout key: its cell in the light effects' key
// grid ("3,5", "3,15") and its rectangle in the picture ("10#20#36#36").
#include <optional>
#include <string_view>

#include "app/device/KeyItem.h"

namespace tessaro {

struct GridCell {
  int row = 0;
  int column = 0;

  bool operator==(const GridCell&) const = default;
};

// One digit of row, one separator, then one or two digits of column; the
// column is the last character of a three-character text and the last two
// otherwise. Numbers are read leniently (no digits give 0). Nothing for a
// text shorter than three characters, which has no column of its own.
std::optional<GridCell> ParseRowCol(std::string_view text);

// The rectangle of a position and size; edges saturate instead of overflowing.
KeyRect RectFromSize(int x, int y, int width, int height);

// Left, top, width and height separated by "#", turned into edges. Missing
// numbers count as 0; edges saturate instead of overflowing.
KeyRect ParseKeyRect(std::string_view text);

}  // namespace tessaro
