#pragma once
// Pixels grabbed from a display for a test: an RGB24 Cairo image that can be
// sampled and saved as PNG.
#include <cairo.h>

#include <cstdint>
#include <string>

namespace platform {

class Screenshot {
 public:
  Screenshot() = default;
  explicit Screenshot(cairo_surface_t* surface) : surface_(surface) {}
  ~Screenshot() {
    if (surface_) cairo_surface_destroy(surface_);
  }
  Screenshot(Screenshot&& other) noexcept : surface_(other.surface_) { other.surface_ = nullptr; }
  Screenshot& operator=(Screenshot&& other) noexcept {
    if (this != &other) {
      if (surface_) cairo_surface_destroy(surface_);
      surface_ = other.surface_;
      other.surface_ = nullptr;
    }
    return *this;
  }
  Screenshot(const Screenshot&) = delete;
  Screenshot& operator=(const Screenshot&) = delete;

  bool Valid() const { return surface_ != nullptr; }
  int Width() const { return surface_ ? cairo_image_surface_get_width(surface_) : 0; }
  int Height() const { return surface_ ? cairo_image_surface_get_height(surface_) : 0; }
  // 0x00RRGGBB; 0 outside the picture.
  std::uint32_t Pixel(int x, int y) const {
    if (!surface_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  }
  // Creates the folders the path needs.
  bool SavePng(const std::string& path) const;
  cairo_surface_t* Surface() const { return surface_; }

 private:
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace platform
