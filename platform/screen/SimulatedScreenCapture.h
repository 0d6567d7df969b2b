#pragma once
// The screen of the simulated program (TESSARO_SIMULATE with "screen"): a
// rainbow that drifts to the right, one turn every four seconds, so the
// screen-sync lights move without a display.
#include <cstdint>
#include <vector>

#include "platform/screen/ScreenCapture.h"
#include "platform/system/Clock.h"

namespace platform {

class SimulatedScreenCapture final : public ScreenCapture {
 public:
  static constexpr int kWidth = 1920;
  static constexpr int kHeight = 1080;

  explicit SimulatedScreenCapture(Clock& clock) : clock_(clock) {}
  bool Grab(ScreenImage& image) override;

 private:
  Clock& clock_;
  std::vector<uint32_t> pixels_;
};

}  // namespace platform
