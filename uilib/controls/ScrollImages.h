#pragma once
// The library's own scroll bar pictures: what a window uses until it names
// skin images instead (SetScrollResID 0). They are drawn once per process,
// shared by every window, and never freed.
#include <string_view>

#include "uilib/core/ImageCache.h"

namespace tumi {

// Built-in picture ids (the ids the paint manager hands out after Init).
inline constexpr unsigned kScrollImageHorizontal = 101;
inline constexpr unsigned kScrollImageVertical = 102;

class ScrollImages {
 public:
  // The picture with this id and type ("PNG", any case); null for an id or a
  // type the library does not carry.
  static const ImgResInfo* Find(unsigned id, std::string_view type);
};

}  // namespace tumi
