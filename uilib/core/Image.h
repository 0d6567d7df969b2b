#pragma once
// A decoded picture: one or more frames along time (an animated GIF has many,
// a PNG one), each a premultiplied ARGB Cairo image surface of the same size.
// Immutable once built, so windows and threads share it through shared_ptr.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "uilib/core/Color.h"

namespace tumi {

class Image {
 public:
  struct Frame {
    cairo_surface_t* surface = nullptr;  // owned by the Image
    int delay_ms = 0;                    // how long an animation shows this frame
  };

  // Takes ownership of the surfaces. Null when there is no frame, a surface is
  // in an error state or the frames differ in size.
  static std::shared_ptr<Image> FromFrames(std::vector<Frame> frames);
  static std::shared_ptr<Image> FromSurface(cairo_surface_t* surface);
  // A transparent ARGB picture to draw into (the off-screen bitmaps).
  static std::shared_ptr<Image> Create(int width, int height);

  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int TimeFrameCount() const { return static_cast<int>(frames_.size()); }
  // The frame index is clamped into the frames, so any index draws something.
  cairo_surface_t* Surface(int time_frame = 0) const;
  int DelayMs(int time_frame) const;
  // Straight (not premultiplied) ARGB of one pixel, 0 outside the picture.
  Argb PixelAt(int x, int y, int time_frame = 0) const;

 private:
  explicit Image(std::vector<Frame> frames);
  int Clamp(int time_frame) const;

  std::vector<Frame> frames_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tumi
