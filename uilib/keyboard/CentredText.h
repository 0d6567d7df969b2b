#pragma once
// The text layout every indicator and list row uses: one line, centred both
// ways, never wrapped (trailing spaces count towards the width).
#include "uilib/core/TextStyle.h"

namespace tumi {

inline TextFormat CentredText(int rendering_hint) {
  TextFormat format;
  format.h_align = kAlignCenter;
  format.v_align = kAlignVCenter;
  format.wrap = false;
  format.rendering_hint = rendering_hint;
  return format;
}

}  // namespace tumi
