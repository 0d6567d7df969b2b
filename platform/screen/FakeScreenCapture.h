#pragma once
// A screen of pixels the test paints; counts grabs and can be made to fail.
#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "platform/screen/ScreenCapture.h"

namespace platform {

class FakeScreenCapture final : public ScreenCapture {
 public:
  FakeScreenCapture(int width, int height) : width_(width), height_(height) {
    pixels_.assign(static_cast<size_t>(width) * height, 0);
  }

  // Colour 0x00RRGGBB over the rectangle (clipped to the screen).
  void Fill(int x, int y, int width, int height, uint32_t rgb) {
    std::lock_guard lock(mutex_);
    for (int row = std::max(y, 0); row < std::min(y + height, height_); ++row) {
      for (int col = std::max(x, 0); col < std::min(x + width, width_); ++col) {
        pixels_[static_cast<size_t>(row) * width_ + col] = rgb;
      }
    }
  }
  void SetFails(bool fails) { fails_ = fails; }
  int Grabs() const { return grabs_; }

  bool Grab(ScreenImage& image) override {
    ++grabs_;
    if (fails_) return false;
    std::lock_guard lock(mutex_);
    grabbed_ = pixels_;
    image = {width_, height_, width_, grabbed_.data()};
    return true;
  }

 private:
  int width_;
  int height_;
  std::mutex mutex_;
  std::vector<uint32_t> pixels_;
  std::vector<uint32_t> grabbed_;
  std::atomic<bool> fails_{false};
  std::atomic<int> grabs_{0};
};

}  // namespace platform
