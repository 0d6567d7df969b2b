#include "app/lights/Visualizer.h"

#include "app/lights/FrameComposer.h"

namespace tessaro {

Visualizer::Visualizer(platform::LoopbackCapture& capture, platform::Clock& clock)
    : capture_(capture), clock_(clock) {}

Visualizer::~Visualizer() {
  Stop();
}

bool Visualizer::Start() {
  if (running_.exchange(true)) return false;
  thread_ = std::thread([this] { ThreadMain(); });
  return true;
}

void Visualizer::Stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
  if (capture_.IsOpen()) capture_.Close();
}

void Visualizer::LoadLayer(const MusicPatterns& patterns) {
  SetPatterns(patterns);
  reopen_ = true;
}

void Visualizer::SetPatterns(const MusicPatterns& patterns) {
  std::lock_guard lock(patterns_mutex_);
  patterns_ = patterns;
}

void Visualizer::ThreadMain() {
  while (running_) {
    KeepCaptureState();
    if (!enabled_) {
      // In steps, so that Stop and enabling are seen soon.
      for (platform::Milliseconds slept{0}; slept < kDisabledPoll && running_ && !enabled_;
           slept += kPollStep) {
        clock_.SleepFor(kPollStep);
      }
      continue;
    }
    RunFrame();
    clock_.SleepFor(kFramePeriod);
  }
}

// Open while enabled, closed while not; a capture that failed or whose output
// went away is tried again every two seconds.
void Visualizer::KeepCaptureState() {
  if (reopen_.exchange(false) && capture_.IsOpen()) capture_.Close();
  if (!enabled_) {
    if (capture_.IsOpen()) capture_.Close();
    ever_tried_open_ = false;
    return;
  }
  if (capture_.IsOpen()) return;
  const platform::Milliseconds now = clock_.Now();
  if (ever_tried_open_ && now - last_open_attempt_ < kReopenInterval) return;
  ever_tried_open_ = true;
  last_open_attempt_ = now;
  capture_.Open();
}

void Visualizer::Drain(float gain) {
  platform::AudioPacket packet;
  for (int i = 0; i < kMaxPacketsPerFrame; ++i) {
    const platform::CaptureRead read = capture_.Read(packet);
    if (read == platform::CaptureRead::kDeviceGone) {
      capture_.Close();
      return;
    }
    if (read != platform::CaptureRead::kPacket) return;
    analyzer_.AddPacket(packet.float32, packet.frames, gain);
  }
}

void Visualizer::RunFrame() {
  MusicPatterns patterns;
  {
    std::lock_guard lock(patterns_mutex_);
    patterns = patterns_;
  }
  analyzer_.Decay();
  Drain(static_cast<float>(patterns.gain));
  analyzer_.Analyse();

  int hue = hue_angle_;
  if (hue >= 360) hue = 0;
  if (hue < 0) hue = 360;
  background_.Paint(patterns.background, patterns.background_level, hue);
  foreground_.Paint(patterns.foreground, kForegroundLevel, hue);

  // Only this thread changes current_, so it may read it without the lock.
  LightPicture& target = frames_[1 - current_];
  FrameComposer::Compose(analyzer_.Heights(), foreground_.Picture(), background_.Picture(), target);
  {
    std::lock_guard lock(frame_mutex_);
    current_ = 1 - current_;
  }
  hue_angle_ = hue + kHueStep;
}

void Visualizer::SampleFrame(std::span<const PictureCell> cells, std::span<uint32_t> colors) const {
  std::lock_guard lock(frame_mutex_);
  const LightPicture& frame = frames_[current_];
  for (size_t i = 0; i < cells.size() && i < colors.size(); ++i) {
    colors[i] = frame.At(cells[i].column, cells[i].row);
  }
}

LightPicture Visualizer::CurrentFrame() const {
  std::lock_guard lock(frame_mutex_);
  return frames_[current_];
}

}  // namespace tessaro
