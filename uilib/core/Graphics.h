#pragma once
// A Cairo context on a picture, released with the object: what the drawing
// functions take as their "graphics".
#include <cairo.h>

#include "uilib/core/Image.h"

namespace tumi {

class Graphics {
 public:
  explicit Graphics(cairo_surface_t* target) : cr_(cairo_create(target)) {}
  // Draws on the picture's first frame.
  explicit Graphics(const Image& target) : Graphics(target.Surface()) {}
  ~Graphics() { cairo_destroy(cr_); }
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  cairo_t* cr() const { return cr_; }
  operator cairo_t*() const { return cr_; }

 private:
  cairo_t* cr_;
};

}  // namespace tumi
