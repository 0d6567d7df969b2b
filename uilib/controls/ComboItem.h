#pragma once
// One choice of a combo box or its drop-down list. The second text and the
// colour are kept for the owner; the list draws only the text.
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/Rect.h"

namespace tumi {

struct ComboItem {
  std::string text;
  std::string second_text;
  Argb color = 0xFF000000;
  long data = 0;
  Rect rect;  // where the list last drew the row
};

}  // namespace tumi
