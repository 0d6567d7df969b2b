#include "uilib/testing/SkinFixture.h"

#include <gif_lib.h>

#include <memory>

#include "uilib/core/Graphics.h"

namespace tumi::testing {

namespace {

constexpr Argb kStateColors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                 0xFFFF00FF, 0xFF00FFFF, 0xFF800000, 0xFF008000,
                                 0xFF000080, 0xFF808000, 0xFF800080, 0xFF008080};
constexpr Argb kRegionColors[] = {0xFF102030, 0xFF203040, 0xFF304050, 0xFF405060, 0xFF506070,
                                  0xFF607080, 0xFF708090, 0xFF8090A0, 0xFF90A0B0};

bool WritePng(const Image& image, const std::string& path) {
  return MRender::SaveBitmapToFile(image, path);
}

struct GifWriterCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};

}  // namespace

Argb SkinFixture::StateColor(int state) {
  constexpr int n = sizeof(kStateColors) / sizeof(kStateColors[0]);
  if (state >= 0 && state < n) return kStateColors[state];
  return MakeArgb(255, 17 * (state % 15), 40 + state, 200 - state % 100);
}

Argb SkinFixture::RegionColor(Region region) {
  return kRegionColors[region];
}

bool SkinFixture::WriteStrip(const std::string& path, int frame_width, int frame_height, int count,
                             StripOrientation orientation) {
  const bool horizontal = orientation == StripOrientation::kHorizontal;
  auto image = Image::Create(horizontal ? frame_width * count : frame_width,
                             horizontal ? frame_height : frame_height * count);
  if (!image) return false;
  {
    Graphics g(*image);
    const ImageStrip strip(image->Width(), image->Height(), count, orientation);
    for (int i = 0; i < count; ++i) MRender::DrawColor(g, strip.Frame(i), StateColor(i));
  }
  return WritePng(*image, path);
}

bool SkinFixture::WriteNinePatch(const std::string& path, int width, int height, Margins m) {
  auto image = Image::Create(width, height);
  if (!image) return false;
  Graphics g(*image);
  const int xs[] = {0, m.left, width - m.right, width};
  const int ys[] = {0, m.top, height - m.bottom, height};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      MRender::DrawColor(g, Rect{xs[col], ys[row], xs[col + 1], ys[row + 1]},
                         RegionColor(static_cast<Region>(row * 3 + col)));
    }
  }
  return WritePng(*image, path);
}

bool SkinFixture::WriteGif(const std::string& path, int width, int height,
                           const std::vector<int>& delays_cs) {
  std::vector<GifFrame> frames;
  for (size_t i = 0; i < delays_cs.size(); ++i) {
    frames.push_back({{0, 0, width, height}, static_cast<int>(i), delays_cs[i]});
  }
  return WriteGif(path, width, height, frames);
}

bool SkinFixture::WriteGif(const std::string& path, int width, int height,
                           const std::vector<GifFrame>& frames) {
  constexpr int kColors = 16;
  GifColorType colors[kColors] = {};
  for (int i = 0; i < kColors; ++i) {
    const Argb c = StateColor(i);
    colors[i] = {static_cast<GifByteType>(RedOf(c)), static_cast<GifByteType>(GreenOf(c)),
                 static_cast<GifByteType>(BlueOf(c))};
  }
  int error = 0;
  std::unique_ptr<GifFileType, GifWriterCloser> gif(EGifOpenFileName(path.c_str(), false, &error));
  if (!gif || frames.empty()) return false;
  ColorMapObject* map = GifMakeMapObject(kColors, colors);
  EGifSetGifVersion(gif.get(), true);
  bool ok = EGifPutScreenDesc(gif.get(), width, height, 8, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  for (const GifFrame& f : frames) {
    if (!ok || f.color < 0 || f.color >= kColors || f.area.IsEmpty()) return false;
    GraphicsControlBlock gcb{f.disposal, false, f.delay_cs,
                             f.transparent ? f.color : NO_TRANSPARENT_COLOR};
    GifByteType ext[4];
    const size_t len = EGifGCBToExtension(&gcb, ext);
    ok =
        EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK &&
        EGifPutImageDesc(gif.get(), f.area.left, f.area.top, f.area.Width(), f.area.Height(), false,
                         nullptr) == GIF_OK;
    std::vector<GifPixelType> row(f.area.Width(), static_cast<GifPixelType>(f.color));
    for (int y = 0; ok && y < f.area.Height(); ++y) {
      ok = EGifPutLine(gif.get(), row.data(), f.area.Width()) == GIF_OK;
    }
  }
  int close_error = 0;
  return EGifCloseFile(gif.release(), &close_error) == GIF_OK && ok;
}

}  // namespace tumi::testing
