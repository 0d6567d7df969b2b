#include "ImageInfo.h"

#include <gif_lib.h>

#include <cstdint>
#include <memory>

namespace skin {
namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

struct GifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// Frames are decoded onto one canvas in order, as a viewer shows them.
bool ReadGif(const std::string& path, ImageInfo& info) {
  int error = 0;
  std::unique_ptr<GifFileType, GifClose> gif(DGifOpenFileName(path.c_str(), &error));
  if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return false;
  info.width = gif->SWidth;
  info.height = gif->SHeight;
  info.frames = gif->ImageCount;
  Surface canvas = NewSurface(info.width, info.height);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    if (!map) return false;
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif.get(), i, &control);
    cairo_surface_flush(canvas.get());
    unsigned char* data = cairo_image_surface_get_data(canvas.get());
    const int stride = cairo_image_surface_get_stride(canvas.get());
    const GifImageDesc& d = image.ImageDesc;
    for (int y = 0; y < d.Height && d.Top + y < info.height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + (d.Top + y) * stride);
      for (int x = 0; x < d.Width && d.Left + x < info.width; ++x) {
        const int index = image.RasterBits[y * d.Width + x];
        if (index == control.TransparentColor || index >= map->ColorCount) continue;
        const GifColorType c = map->Colors[index];
        row[d.Left + x] = 0xFF000000u | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
      }
    }
    cairo_surface_mark_dirty(canvas.get());
    Surface frame = NewSurface(info.width, info.height);
    Context cr(cairo_create(frame.get()));
    cairo_set_source_surface(cr.get(), canvas.get(), 0, 0);
    cairo_paint(cr.get());
    info.pictures.push_back(std::move(frame));
  }
  return true;
}

}  // namespace

bool ReadImage(const std::string& path, ImageInfo& info) {
  if (EndsWith(path, ".gif")) return ReadGif(path, info);
  Surface png = LoadPng(path);
  if (!png) return false;
  info.width = cairo_image_surface_get_width(png.get());
  info.height = cairo_image_surface_get_height(png.get());
  info.frames = 1;
  info.pictures.push_back(std::move(png));
  return true;
}

}  // namespace skin
