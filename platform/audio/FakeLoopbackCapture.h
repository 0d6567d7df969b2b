#pragma once
// A loopback capture that plays a script: packets, holes, "no packet" answers
// and the output going away. An empty script answers "no packet".
#include <deque>
#include <mutex>
#include <span>

#include "platform/audio/LoopbackCapture.h"

namespace platform {

class FakeLoopbackCapture final : public LoopbackCapture {
 public:
  explicit FakeLoopbackCapture(SampleForm form, int channels = 2)
      : form_(form), channels_(channels) {}

  // Script steps, played in order by Read.
  void AddPacket(std::span<const int16_t> samples);
  void AddPacket(std::span<const float> samples);
  void AddHole(int frames);
  void AddNoPacket();
  void AddDeviceGone();

  // Open fails while this is set.
  void SetOpenFails(bool fails);
  int OpenCount() const;
  size_t Pending() const;

  SampleForm Form() const override { return form_; }
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  CaptureRead Read(AudioPacket& packet) override;

 private:
  struct Step {
    CaptureRead read = CaptureRead::kNoPacket;
    AudioPacket packet;
  };

  SampleForm form_;
  int channels_;
  mutable std::mutex mutex_;
  std::deque<Step> script_;
  bool open_ = false;
  bool open_fails_ = false;
  int open_count_ = 0;
};

}  // namespace platform
