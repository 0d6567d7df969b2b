#include "uilib/core/Image.h"

#include <algorithm>

namespace tumi {

namespace {

void DestroyAll(std::vector<Image::Frame>& frames) {
  for (auto& f : frames) {
    if (f.surface) cairo_surface_destroy(f.surface);
  }
  frames.clear();
}

bool IsUsable(cairo_surface_t* s) {
  return s && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
         cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE;
}

}  // namespace

std::shared_ptr<Image> Image::FromFrames(std::vector<Frame> frames) {
  if (frames.empty()) return nullptr;
  for (auto& f : frames) {
    if (!IsUsable(f.surface) ||
        cairo_image_surface_get_width(f.surface) !=
            cairo_image_surface_get_width(frames[0].surface) ||
        cairo_image_surface_get_height(f.surface) !=
            cairo_image_surface_get_height(frames[0].surface)) {
      DestroyAll(frames);
      return nullptr;
    }
  }
  return std::shared_ptr<Image>(new Image(std::move(frames)));
}

std::shared_ptr<Image> Image::FromSurface(cairo_surface_t* surface) {
  std::vector<Frame> frames;
  frames.push_back({surface, 0});
  return FromFrames(std::move(frames));
}

std::shared_ptr<Image> Image::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  return FromSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

Image::Image(std::vector<Frame> frames) : frames_(std::move(frames)) {
  width_ = cairo_image_surface_get_width(frames_[0].surface);
  height_ = cairo_image_surface_get_height(frames_[0].surface);
}

Image::~Image() {
  DestroyAll(frames_);
}

int Image::Clamp(int time_frame) const {
  return std::clamp(time_frame, 0, TimeFrameCount() - 1);
}

cairo_surface_t* Image::Surface(int time_frame) const {
  return frames_[Clamp(time_frame)].surface;
}

int Image::DelayMs(int time_frame) const {
  return frames_[Clamp(time_frame)].delay_ms;
}

Argb Image::PixelAt(int x, int y, int time_frame) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  cairo_surface_t* s = Surface(time_frame);
  cairo_surface_flush(s);
  const unsigned char* row =
      cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s);
  const cairo_format_t format = cairo_image_surface_get_format(s);
  if (format == CAIRO_FORMAT_A8) return MakeArgb(row[x], 0, 0, 0);
  uint32_t p = 0;
  std::copy_n(row + static_cast<size_t>(x) * 4, 4, reinterpret_cast<unsigned char*>(&p));
  if (format == CAIRO_FORMAT_RGB24) return p | 0xFF000000u;
  const uint32_t a = AlphaOf(p);
  if (a == 0) return 0;
  // Undo the premultiplication, rounding to the nearest channel value.
  auto straight = [a](uint32_t c) { return (c * 255 + a / 2) / a; };
  return MakeArgb(a, straight(RedOf(p)), straight(GreenOf(p)), straight(BlueOf(p)));
}

}  // namespace tumi
