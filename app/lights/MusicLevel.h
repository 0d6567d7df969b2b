#pragma once
// The loudness the second-generation keyboards make their music effect from.
#include <cstdint>
#include <span>

namespace tessaro::music_level {

constexpr int kMinSamples = 10;
// The report byte's ceiling.
constexpr int kMaxReported = 255;

// 0 to 128: the magnitude of the 16-bit sample ten positions before the end of
// the packet, without its low byte; 0 for fewer than ten samples.
int FromSamples(std::span<const int16_t> samples);
// The level times the page's gain, cut to the report byte.
int Reported(int level, float gain);

}  // namespace tessaro::music_level
