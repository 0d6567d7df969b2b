#pragma once
// Animated GIF decoding with giflib: every frame is composed onto the logical
// screen (transparency and the three disposal methods honoured), so each time
// frame of the result is a complete picture that can be drawn on its own.
#include <cstdint>
#include <memory>
#include <span>

#include "uilib/core/Image.h"

namespace tumi {

class GifDecoder {
 public:
  // Frames shorter than this are shown this long: a delay of 0 or 1
  // hundredths means "as fast as possible", which viewers slow down.
  static constexpr int kMinimumDelayMs = 20;
  static constexpr int kDefaultDelayMs = 100;
  // Larger logical screens, or animations whose composed frames together
  // hold more pixels, are refused rather than allocated.
  static constexpr int64_t kMaxPixels = 4096 * 4096;
  static constexpr int64_t kMaxTotalPixels = 32 * 1024 * 1024;

  // Null for anything that is not a complete, sane GIF.
  static std::shared_ptr<Image> Decode(std::span<const uint8_t> bytes);
};

}  // namespace tumi
