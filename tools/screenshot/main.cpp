// tessaro-screenshot OUT.png [X Y WIDTH HEIGHT]: grabs the screen of $DISPLAY
// (or the rectangle of it) and writes it as a PNG. Exit code 0 on success.
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/screen/X11ScreenCapture.h"

namespace {

int Usage() {
  std::fputs("usage: tessaro-screenshot OUT.png [X Y WIDTH HEIGHT]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) return Usage();
  platform::X11ScreenCapture capture;
  platform::ScreenImage screen;
  if (!capture.Grab(screen)) {
    std::fputs("tessaro-screenshot: cannot grab the screen of $DISPLAY\n", stderr);
    return 1;
  }
  int x = 0, y = 0, width = screen.width, height = screen.height;
  if (argc == 6) {
    x = std::clamp(std::atoi(argv[2]), 0, screen.width);
    y = std::clamp(std::atoi(argv[3]), 0, screen.height);
    width = std::clamp(std::atoi(argv[4]), 0, screen.width - x);
    height = std::clamp(std::atoi(argv[5]), 0, screen.height - y);
  }
  if (width <= 0 || height <= 0) return Usage();

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int row = 0; row < height; ++row) {
    auto* out = reinterpret_cast<uint32_t*>(data + static_cast<long>(row) * stride);
    for (int col = 0; col < width; ++col) out[col] = screen.At(x + col, y + row);
  }
  cairo_surface_mark_dirty(surface);
  const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "tessaro-screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
