#pragma once
// The sound of the simulated program (TESSARO_SIMULATE with "audio"): a beat
// generated in real time, a bass thump twice a second under a slowly rising
// tone, so the music lights move without a sound server.
#include <cstdint>

#include "platform/audio/LoopbackCapture.h"
#include "platform/system/Clock.h"

namespace platform {

class SimulatedLoopbackCapture final : public LoopbackCapture {
 public:
  static constexpr int kRate = 48000;
  static constexpr int kChannels = 2;
  static constexpr int kPacketFrames = 480;  // 10 ms

  SimulatedLoopbackCapture(SampleForm form, Clock& clock) : form_(form), clock_(clock) {}

  SampleForm Form() const override { return form_; }
  bool Open() override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  CaptureRead Read(AudioPacket& packet) override;

 private:
  double Sample(int64_t frame) const;

  SampleForm form_;
  Clock& clock_;
  bool open_ = false;
  int64_t next_frame_ = 0;
  Milliseconds opened_at_{0};
};

}  // namespace platform
