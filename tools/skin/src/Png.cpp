#include "Png.h"

namespace skin {

Surface LoadPng(const std::string& path) {
  Surface png(cairo_image_surface_create_from_png(path.c_str()));
  if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  if (cairo_image_surface_get_format(png.get()) == CAIRO_FORMAT_ARGB32) return png;
  // RGB24 and grey PNGs: bring them to one layout so callers read pixels alike.
  Surface argb = NewSurface(cairo_image_surface_get_width(png.get()),
                            cairo_image_surface_get_height(png.get()));
  Context cr(cairo_create(argb.get()));
  cairo_set_source_surface(cr.get(), png.get(), 0, 0);
  cairo_paint(cr.get());
  cairo_surface_flush(argb.get());
  return argb;
}

Surface NewSurface(int width, int height) {
  return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

bool SavePng(cairo_surface_t* surface, const std::string& path) {
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace skin
