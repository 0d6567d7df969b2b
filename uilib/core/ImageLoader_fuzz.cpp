// Feeds arbitrary bytes to the picture decoders (PNG through Cairo, GIF
// through giflib and the frame composer).
#include <cstddef>
#include <cstdint>
#include <span>

#include "uilib/core/ImageLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto image = tumi::ImageLoader::Decode(std::span<const uint8_t>(data, size));
  if (image) {
    for (int i = 0; i < image->TimeFrameCount(); ++i) {
      image->PixelAt(image->Width() - 1, image->Height() - 1, i);
    }
  }
  return 0;
}
