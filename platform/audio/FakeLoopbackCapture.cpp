#include "platform/audio/FakeLoopbackCapture.h"

namespace platform {

void FakeLoopbackCapture::AddPacket(std::span<const int16_t> samples) {
  std::lock_guard lock(mutex_);
  Step step{CaptureRead::kPacket, {}};
  step.packet.channels = channels_;
  step.packet.frames = static_cast<int>(samples.size()) / channels_;
  step.packet.int16.assign(samples.begin(), samples.end());
  script_.push_back(std::move(step));
}

void FakeLoopbackCapture::AddPacket(std::span<const float> samples) {
  std::lock_guard lock(mutex_);
  Step step{CaptureRead::kPacket, {}};
  step.packet.channels = channels_;
  step.packet.frames = static_cast<int>(samples.size()) / channels_;
  step.packet.float32.assign(samples.begin(), samples.end());
  script_.push_back(std::move(step));
}

void FakeLoopbackCapture::AddHole(int frames) {
  std::lock_guard lock(mutex_);
  Step step{CaptureRead::kPacket, {}};
  step.packet.channels = channels_;
  step.packet.frames = frames;
  const size_t count = static_cast<size_t>(frames) * channels_;
  if (form_ == SampleForm::kInt16) {
    step.packet.int16.assign(count, 0);
  } else {
    step.packet.float32.assign(count, 0.0f);
  }
  script_.push_back(std::move(step));
}

void FakeLoopbackCapture::AddNoPacket() {
  std::lock_guard lock(mutex_);
  script_.push_back({CaptureRead::kNoPacket, {}});
}

void FakeLoopbackCapture::AddDeviceGone() {
  std::lock_guard lock(mutex_);
  script_.push_back({CaptureRead::kDeviceGone, {}});
}

void FakeLoopbackCapture::SetOpenFails(bool fails) {
  std::lock_guard lock(mutex_);
  open_fails_ = fails;
}

int FakeLoopbackCapture::OpenCount() const {
  std::lock_guard lock(mutex_);
  return open_count_;
}

size_t FakeLoopbackCapture::Pending() const {
  std::lock_guard lock(mutex_);
  return script_.size();
}

bool FakeLoopbackCapture::Open() {
  std::lock_guard lock(mutex_);
  ++open_count_;
  open_ = !open_fails_;
  return open_;
}

void FakeLoopbackCapture::Close() {
  std::lock_guard lock(mutex_);
  open_ = false;
}

bool FakeLoopbackCapture::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

CaptureRead FakeLoopbackCapture::Read(AudioPacket& packet) {
  std::lock_guard lock(mutex_);
  if (!open_ || script_.empty()) return CaptureRead::kNoPacket;
  Step step = std::move(script_.front());
  script_.pop_front();
  if (step.read == CaptureRead::kDeviceGone) open_ = false;
  if (step.read == CaptureRead::kPacket) packet = std::move(step.packet);
  return step.read;
}

}  // namespace platform
