#include "app/lights/MusicLevel.h"

#include <algorithm>
#include <cstdlib>

namespace tessaro::music_level {

int FromSamples(std::span<const int16_t> samples) {
  if (samples.size() < kMinSamples) return 0;
  return std::abs(static_cast<int>(samples[samples.size() - kMinSamples])) >> 8;
}

int Reported(int level, float gain) {
  const float scaled = static_cast<float>(level) * gain;
  if (!(scaled > 0.0f)) return 0;  // also a NaN gain
  return std::min(kMaxReported, static_cast<int>(std::min(scaled, 1000.0f)));
}

}  // namespace tessaro::music_level
