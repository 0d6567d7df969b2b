#include "platform/audio/SimulatedLoopbackCapture.h"

#include <cmath>

namespace platform {

bool SimulatedLoopbackCapture::Open() {
  open_ = true;
  next_frame_ = 0;
  opened_at_ = clock_.Now();
  return true;
}

double SimulatedLoopbackCapture::Sample(int64_t frame) const {
  const double t = static_cast<double>(frame) / kRate;
  const double beat = std::fmod(t, 0.5);
  const double thump = std::exp(-beat * 12.0) * std::sin(2.0 * M_PI * 60.0 * beat);
  const double tone_hz = 300.0 + 200.0 * std::fmod(t / 4.0, 1.0);
  const double tone = 0.25 * std::sin(2.0 * M_PI * tone_hz * t);
  return 0.6 * thump + tone;
}

CaptureRead SimulatedLoopbackCapture::Read(AudioPacket& packet) {
  if (!open_) return CaptureRead::kNoPacket;
  const int64_t due = (clock_.Now() - opened_at_).count() * kRate / 1000;
  if (due - next_frame_ < kPacketFrames) return CaptureRead::kNoPacket;
  if (due - next_frame_ > kRate) next_frame_ = due - kPacketFrames;  // a reader that slept
  packet.frames = kPacketFrames;
  packet.channels = kChannels;
  packet.int16.clear();
  packet.float32.clear();
  for (int i = 0; i < kPacketFrames; ++i) {
    const double v = Sample(next_frame_ + i);
    for (int c = 0; c < kChannels; ++c) {
      if (form_ == SampleForm::kInt16) {
        packet.int16.push_back(static_cast<int16_t>(std::lround(v * 32767.0)));
      } else {
        packet.float32.push_back(static_cast<float>(v));
      }
    }
  }
  next_frame_ += kPacketFrames;
  return CaptureRead::kPacket;
}

}  // namespace platform
