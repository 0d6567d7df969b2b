#pragma once
// Skin pictures for tests, made of solid colours so that a test can sample a
// drawn pixel and know exactly which frame or nine-patch region it came from.
#include <cstdint>
#include <string>
#include <vector>

#include "uilib/core/Color.h"
#include "uilib/core/ImageStrip.h"
#include "uilib/core/MRender.h"

namespace tumi::testing {

class SkinFixture {
 public:
  // The nine regions of a nine-patch picture, row by row.
  enum Region {
    kTopLeft,
    kTop,
    kTopRight,
    kLeft,
    kCentre,
    kRight,
    kBottomLeft,
    kBottom,
    kBottomRight,
  };

  // Opaque colours, all different: the colour of frame i of every strip.
  static Argb StateColor(int state);
  // Opaque colours, all different from each other and from the state colours.
  static Argb RegionColor(Region region);

  // A strip of `count` frames, frame i filled with StateColor(i).
  static bool WriteStrip(const std::string& path, int frame_width, int frame_height, int count,
                         StripOrientation orientation = StripOrientation::kHorizontal);
  // A width x height picture cut by the margins into nine solid regions.
  static bool WriteNinePatch(const std::string& path, int width, int height, Margins margins);
  // One frame of a GIF: an area of the logical screen filled with the colour
  // StateColor(color) (up to 16 colours), or with nothing when transparent.
  struct GifFrame {
    Rect area;
    int color = 0;
    int delay_cs = 10;
    int disposal = 0;  // 0-1 keep, 2 clear to transparent, 3 restore the previous picture
    bool transparent = false;
  };

  // An animated GIF whose frame i is filled with StateColor(i) and shown for
  // delays_cs[i] hundredths of a second.
  static bool WriteGif(const std::string& path, int width, int height,
                       const std::vector<int>& delays_cs);
  static bool WriteGif(const std::string& path, int width, int height,
                       const std::vector<GifFrame>& frames);
};

}  // namespace tumi::testing
