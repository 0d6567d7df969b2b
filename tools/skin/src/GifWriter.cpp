#include "GifWriter.h"

#include <gif_lib.h>

#include <cstdint>
#include <memory>

#include "Png.h"

namespace skin {
namespace {

struct GifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
using GifFile = std::unique_ptr<GifFileType, GifClose>;

struct MapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

constexpr int kPaletteSize = 256;
// "NETSCAPE2.0" application block: loop count 0 plays the animation forever.
constexpr GifByteType kLoopForever[] = {1, 0, 0};

bool PutLoopExtension(GifFileType* gif) {
  static const char kApplication[] = "NETSCAPE2.0";
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, kApplication) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrame(GifFileType* gif, cairo_surface_t* frame, int delay) {
  const int width = cairo_image_surface_get_width(frame);
  const int height = cairo_image_surface_get_height(frame);
  const int stride = cairo_image_surface_get_stride(frame);
  const unsigned char* data = cairo_image_surface_get_data(frame);
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) {
      const size_t i = static_cast<size_t>(y) * width + x;
      red[i] = (row[x] >> 16) & 0xFF;
      green[i] = (row[x] >> 8) & 0xFF;
      blue[i] = row[x] & 0xFF;
    }
  }
  int size = kPaletteSize;
  std::unique_ptr<ColorMapObject, MapFree> map(GifMakeMapObject(kPaletteSize, nullptr));
  if (!map || GifQuantizeBuffer(width, height, &size, red.data(), green.data(), blue.data(),
                                indices.data(), map->Colors) != GIF_OK) {
    return false;
  }
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = delay;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
          GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, width, height, false, map.get()) != GIF_OK) {
    return false;
  }
  for (int y = 0; y < height; ++y) {
    if (EGifPutLine(gif, indices.data() + static_cast<size_t>(y) * width, width) != GIF_OK)
      return false;
  }
  return true;
}

}  // namespace

bool GifWriter::Write(const std::string& path, const std::vector<std::string>& frames, int delay,
                      std::string& error) {
  std::vector<Surface> pictures;
  for (const auto& name : frames) {
    pictures.push_back(LoadPng(name));
    if (!pictures.back()) {
      error = "cannot read frame " + name;
      return false;
    }
  }
  if (pictures.empty()) {
    error = "no frames";
    return false;
  }
  const int width = cairo_image_surface_get_width(pictures[0].get());
  const int height = cairo_image_surface_get_height(pictures[0].get());
  for (const auto& picture : pictures) {
    if (cairo_image_surface_get_width(picture.get()) != width ||
        cairo_image_surface_get_height(picture.get()) != height) {
      error = "frames differ in size";
      return false;
    }
  }
  int open_error = 0;
  GifFile gif(EGifOpenFileName(path.c_str(), false, &open_error));
  if (!gif) {
    error = "cannot write " + path;
    return false;
  }
  EGifSetGifVersion(gif.get(), true);
  bool ok = EGifPutScreenDesc(gif.get(), width, height, 8, 0, nullptr) == GIF_OK &&
            PutLoopExtension(gif.get());
  for (size_t i = 0; ok && i < pictures.size(); ++i)
    ok = PutFrame(gif.get(), pictures[i].get(), delay);
  if (!ok) error = "cannot encode " + path;
  return ok;
}

}  // namespace skin
