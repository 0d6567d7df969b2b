#include "uilib/testing/TestCanvas.h"

namespace tumi::testing {

TestCanvas::TestCanvas(int width, int height, Argb background)
    : image_(Image::Create(width, height)), graphics_(*image_) {
  cairo_t* cr = graphics_.cr();
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, RedOf(background) / 255.0, GreenOf(background) / 255.0,
                        BlueOf(background) / 255.0, AlphaOf(background) / 255.0);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

Argb TestCanvas::At(int x, int y) const {
  cairo_surface_flush(image_->Surface());
  return image_->PixelAt(x, y);
}

}  // namespace tumi::testing
