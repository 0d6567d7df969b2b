#pragma once
// One key of a keyboard picture, as the layout file describes it.
#include <cstdint>
#include <string>

namespace tessaro {

// Picture pixels; right and bottom are exclusive.
struct KeyRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool operator==(const KeyRect&) const = default;
};

struct KeyItem {
  std::string name;         // label drawn on the key
  std::string description;  // the key tip's title
  uint32_t code = 0;        // Windows virtual-key code
  KeyRect rect;
  std::string icon;  // skin image drawn on the key; may be empty

  bool operator==(const KeyItem&) const = default;
};

}  // namespace tessaro
