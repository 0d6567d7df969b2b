#pragma once
// An off-screen ARGB picture with a Cairo context on it, for tests that draw
// and then sample exact pixels.
#include <cairo.h>

#include <memory>

#include "uilib/core/Graphics.h"
#include "uilib/core/Image.h"

namespace tumi::testing {

class TestCanvas {
 public:
  // Filled with `background` (opaque black by default).
  TestCanvas(int width, int height, Argb background = 0xFF000000);

  cairo_t* cr() const { return graphics_.cr(); }
  const Image& image() const { return *image_; }
  // Straight ARGB of a pixel, after everything drawn so far.
  Argb At(int x, int y) const;

 private:
  std::shared_ptr<Image> image_;
  Graphics graphics_;
};

}  // namespace tumi::testing
