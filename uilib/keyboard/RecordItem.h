#pragma once
// One step of the macro being edited.
#include <string>

#include "uilib/core/Rect.h"

namespace tumi {

struct RecordItem {
  // The step kinds the list names.
  enum Type : int { kKeyDown = 2, kKeyUp = 3 };

  std::string text;
  int type = 0;
  int value = 0;
  int delay = 0;
  Rect rect;  // the row in content coordinates, set while drawing
};

}  // namespace tumi
