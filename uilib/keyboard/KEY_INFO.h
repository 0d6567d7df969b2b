#pragma once
// One key of the keyboard picture, as the program reads it back: its code,
// its texts, where it sits on the picture, its check mark, its colour and an
// optional icon. Created and owned by KeyboardCtrl.
#include <cstdint>
#include <memory>
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/Image.h"
#include "uilib/core/Rect.h"

namespace tumi {

// Orange: what every key shows until a colour is set.
inline constexpr ColorRef kDefaultKeyColor = 0x00E1FF;

struct KEY_INFO {
  int index = 0;       // position in the key list when it was added
  uint32_t value = 0;  // the key's code; per-key operations find keys by it
  std::string name;    // drawn on the key
  std::string description;
  std::string tip_line1;
  std::string tip_line2;
  Rect rect;  // relative to the picture's top-left corner
  int checked = 0;
  ColorRef color = kDefaultKeyColor;
  std::shared_ptr<const Image> icon;
  int icon_width = 0;
  int icon_height = 0;
};

}  // namespace tumi
