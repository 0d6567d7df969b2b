#include "app/lights/BandAnalyzer.h"

#include <algorithm>
#include <cmath>

namespace tessaro {

BandAnalyzer::BandAnalyzer() {
  for (int j = 0; j < kHistory; ++j) {
    window_[j] = static_cast<float>((1.0 - std::cos(2.0 * M_PI * j / kHistory)) / 2.0);
    tilt_[j] = 0.04f + 0.5f * static_cast<float>(j) / kColumns;
  }
}

void BandAnalyzer::Decay() {
  for (float& h : heights_) h *= kDecay;
}

void BandAnalyzer::AddPacket(std::span<const float> values, int frames, float gain) {
  if (frames <= 0) return;
  const size_t wanted = (static_cast<size_t>(frames) + kGroup - 1) / kGroup;
  const size_t groups = std::min(wanted, values.size() / kGroup);
  if (groups == 0) return;
  // Each group moves the history one place towards the oldest end.
  const size_t kept = groups >= kHistory ? 0 : kHistory - groups;
  std::move(history_.end() - kept, history_.end(), history_.begin());
  const size_t first = groups - (kHistory - kept);  // groups that would fall out at once
  for (size_t g = first; g < groups; ++g) {
    const float* v = &values[g * kGroup];
    history_[kept + (g - first)] = (v[0] + v[1] + v[2] + v[3]) * 0.25f * 2.0f * gain;
  }
}

void BandAnalyzer::Analyse() {
  std::array<float, RealFft::kSize> spectrum;
  for (int i = 0; i < kHistory; ++i) {
    spectrum[2 * i] = history_[i];
    spectrum[2 * i + 1] = history_[i];
  }
  // The window covers the first half of the doubled samples only, as the
  // effect was tuned.
  for (int i = 0; i < kHistory; ++i) spectrum[i] *= window_[i];
  fft_.Transform(spectrum);
  spectrum[0] = spectrum[2];
  for (int i = 0; i < kColumns; ++i) spectrum[i] *= tilt_[i];
  RaiseFromBins(spectrum);
  Smooth();
}

void BandAnalyzer::RaiseFromBins(const std::array<float, RealFft::kSize>& spectrum) {
  for (int k = 0; k < kColumns / 4; ++k) {
    const float m = std::hypot(spectrum[2 * k], spectrum[2 * k + 1]);
    float height = heights_[4 * k];
    if (m > 0.0f) {
      const float v = std::min(1.0f, 0.5f * std::log10(1.1f * m) + 0.9f * m);
      height = std::max(height, v);
    }
    height = std::max(height, 0.0f);
    std::fill_n(&heights_[4 * k], 4, height);
  }
}

// Edges first, then the middle from left to right in place: each column sees
// its already smoothed left neighbours, which is the look the effect has.
void BandAnalyzer::Smooth() {
  constexpr int w = kSmoothingWidth;
  auto mean = [this](int from, int to) {
    float sum = 0.0f;
    for (int i = from; i <= to; ++i) sum += heights_[i];
    return sum / static_cast<float>(to - from + 1);
  };
  for (int i = 0; i < w; ++i) {
    heights_[i] = mean(0, i + w);
    heights_[kColumns - 1 - i] = mean(kColumns - 1 - (i + w), kColumns - 1);
  }
  for (int i = w; i < kColumns - w; ++i) heights_[i] = mean(i - w, i + w);
}

}  // namespace tessaro
