#pragma once
// The analysis of the music light: a 256-sample history of the loopback sound,
// a Hann window, one 512-point real transform, a rising tilt, 64 bins spread
// over 256 columns, smoothing and decay. The result is one height per column,
// 0 to 1.
#include <array>
#include <span>

#include "app/lights/RealFft.h"

namespace tessaro {

class BandAnalyzer {
 public:
  static constexpr int kColumns = 256;
  static constexpr int kHistory = 256;
  static constexpr int kGroup = 4;           // sound values averaged into one history entry
  static constexpr float kDecay = 0.8f;      // part of a height kept per frame
  static constexpr int kSmoothingWidth = 8;  // columns on each side

  BandAnalyzer();

  // Start of a frame: every height decays.
  void Decay();
  // One packet of interleaved float values holding `frames` frames. Takes
  // ceil(frames / 4) groups of four consecutive values from the start, but
  // only whole groups inside the packet.
  void AddPacket(std::span<const float> values, int frames, float gain);
  // Transform the history and raise, smooth and publish the heights.
  void Analyse();

  const std::array<float, kColumns>& Heights() const { return heights_; }
  const std::array<float, kHistory>& History() const { return history_; }

 private:
  void RaiseFromBins(const std::array<float, RealFft::kSize>& spectrum);
  void Smooth();

  RealFft fft_;
  std::array<float, kHistory> window_{};
  std::array<float, kColumns> tilt_{};
  std::array<float, kHistory> history_{};  // oldest first
  std::array<float, kColumns> heights_{};
};

}  // namespace tessaro
