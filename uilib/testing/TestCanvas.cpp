#include "uilib/testing/TestCanvas.h"

namespace tumi::testing {

TestCanvas::TestCanvas(int width, int height, Argb background)
    : image_(Image::Create(width, height)), cr_(cairo_create(image_->Surface())) {
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr_, RedOf(background) / 255.0, GreenOf(background) / 255.0,
                        BlueOf(background) / 255.0, AlphaOf(background) / 255.0);
  cairo_paint(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
}

TestCanvas::~TestCanvas() {
  cairo_destroy(cr_);
}

Argb TestCanvas::At(int x, int y) const {
  cairo_surface_flush(image_->Surface());
  return image_->PixelAt(x, y);
}

}  // namespace tumi::testing
