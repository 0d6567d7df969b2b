#pragma once
// How a picture fills a control: its show mode and the mode's parameters.
// Shared by the picture controls.
#include <cairo.h>

#include "uilib/core/Image.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Rect.h"

namespace tumi {

enum PictureShowMode : int {
  kShowNatural = 0,  // first frame at its own size, placed by the alignment
  kShowTiled = 1,    // repeated from the top-left corner, the last ones clipped
  kShowStretched = 2,
  kShowNinePatch = 3,     // one corner size
  kShowNinePatchMID = 4,  // four margins
  kShowCustomRect = 5,    // a source rectangle of the image, stretched
};

struct PictureFit {
  int mode = kShowNatural;
  int corner = 4;
  Margins margins;
  Rect custom;
  int h_align = 1;  // 0 left, 2 right, otherwise centred
  int v_align = 4;  // 0 top, 8 bottom, otherwise centred

  // Draws the frame (a source rectangle of the image) into the box.
  void Draw(cairo_t* cr, const Image& image, const Rect& frame, const Rect& box) const;
};

}  // namespace tumi
