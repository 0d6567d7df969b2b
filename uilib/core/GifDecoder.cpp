#include "uilib/core/GifDecoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tumi {

namespace {

struct Reader {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int wanted) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const size_t n =
      std::min(static_cast<size_t>(std::max(wanted, 0)), reader->bytes.size() - reader->pos);
  if (n > 0) std::memcpy(out, reader->bytes.data() + reader->pos, n);
  reader->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Premultiplied ARGB pixels of the logical screen.
using Canvas = std::vector<uint32_t>;

struct Area {
  int left, top, right, bottom;
};

Area ClipToScreen(const GifImageDesc& d, int width, int height) {
  auto clip = [](int64_t v, int limit) {
    return static_cast<int>(std::clamp<int64_t>(v, 0, limit));
  };
  return {clip(d.Left, width), clip(d.Top, height), clip(int64_t{d.Left} + d.Width, width),
          clip(int64_t{d.Top} + d.Height, height)};
}

void Paint(Canvas& canvas, int width, const SavedImage& image, const ColorMapObject* map,
           int transparent, const Area& area) {
  const GifImageDesc& d = image.ImageDesc;
  for (int y = area.top; y < area.bottom; ++y) {
    const GifByteType* row = image.RasterBits + static_cast<size_t>(y - d.Top) * d.Width;
    for (int x = area.left; x < area.right; ++x) {
      const int index = row[x - d.Left];
      if (index == transparent || index >= map->ColorCount) continue;
      const GifColorType& c = map->Colors[index];
      canvas[static_cast<size_t>(y) * width + x] =
          0xFF000000u | (uint32_t{c.Red} << 16) | (uint32_t{c.Green} << 8) | c.Blue;
    }
  }
}

void Clear(Canvas& canvas, int width, const Area& area) {
  for (int y = area.top; y < area.bottom; ++y) {
    std::fill_n(canvas.begin() + static_cast<ptrdiff_t>(y) * width + area.left,
                area.right - area.left, 0u);
  }
}

cairo_surface_t* ToSurface(const Canvas& canvas, int width, int height) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return s;
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < height; ++y) {
    std::memcpy(data + static_cast<size_t>(y) * stride,
                canvas.data() + static_cast<size_t>(y) * width, static_cast<size_t>(width) * 4);
  }
  cairo_surface_mark_dirty(s);
  return s;
}

int DelayOf(const GraphicsControlBlock& gcb) {
  const int ms = gcb.DelayTime * 10;
  return ms < GifDecoder::kMinimumDelayMs ? GifDecoder::kDefaultDelayMs : ms;
}

}  // namespace

std::shared_ptr<Image> GifDecoder::Decode(std::span<const uint8_t> bytes) {
  Reader reader{bytes};
  int error = 0;
  GifHandle gif(DGifOpen(&reader, ReadBytes, &error));
  if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return nullptr;
  const int width = gif->SWidth;
  const int height = gif->SHeight;
  const int64_t pixels = int64_t{width} * height;
  if (width <= 0 || height <= 0 || pixels > kMaxPixels) return nullptr;
  if (pixels * gif->ImageCount > kMaxTotalPixels) return nullptr;

  Canvas canvas(static_cast<size_t>(width) * height, 0u);
  std::vector<Image::Frame> frames;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(gif.get(), i, &gcb);
    const ColorMapObject* map =
        image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    const Area area = ClipToScreen(image.ImageDesc, width, height);
    const Canvas before = gcb.DisposalMode == DISPOSE_PREVIOUS ? canvas : Canvas{};
    if (map && image.RasterBits) Paint(canvas, width, image, map, gcb.TransparentColor, area);
    frames.push_back({ToSurface(canvas, width, height), DelayOf(gcb)});
    if (gcb.DisposalMode == DISPOSE_BACKGROUND) Clear(canvas, width, area);
    if (gcb.DisposalMode == DISPOSE_PREVIOUS) canvas = before;
  }
  return Image::FromFrames(std::move(frames));
}

}  // namespace tumi
