#include "app/lights/LevelCapture.h"

#include <cstdlib>

#include "app/lights/MusicLevel.h"

namespace tessaro {

LevelCapture::LevelCapture(platform::LoopbackCapture& capture, platform::Clock& clock,
                           LightPageState& state, MusicLevelSink& sink, KeyPictureTarget* picture)
    : capture_(capture), clock_(clock), state_(state), sink_(sink), picture_(picture) {}

LevelCapture::~LevelCapture() {
  Stop();
}

bool LevelCapture::Start() {
  if (running_.exchange(true)) return false;
  thread_ = std::thread([this] { ThreadMain(); });
  return true;
}

void LevelCapture::Stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
  if (capture_.IsOpen()) capture_.Close();
}

void LevelCapture::SetPeriod(int milliseconds) {
  int best = kDefaultPeriodMs;
  for (int period : kPeriodsMs) {
    if (std::abs(period - milliseconds) < std::abs(best - milliseconds)) best = period;
  }
  period_ms_ = best;
}

void LevelCapture::ThreadMain() {
  while (running_) {
    Poll();
    clock_.SleepFor(platform::Milliseconds(period_ms_.load()));
  }
}

bool LevelCapture::EnsureOpen() {
  if (capture_.IsOpen()) return true;
  const platform::Milliseconds now = clock_.Now();
  if (tried_open_ && now - last_open_attempt_ < kReopenInterval) return false;
  tried_open_ = true;
  last_open_attempt_ = now;
  return capture_.Open();
}

void LevelCapture::Poll() {
  if (!state_.MusicModeShown()) {
    if (capture_.IsOpen()) capture_.Close();
    tried_open_ = false;
    return;
  }
  platform::AudioPacket newest;
  bool have_packet = false;
  if (EnsureOpen()) {
    platform::AudioPacket packet;
    for (int i = 0; i < kMaxPacketsPerPoll; ++i) {
      const platform::CaptureRead read = capture_.Read(packet);
      if (read != platform::CaptureRead::kPacket) {
        if (read == platform::CaptureRead::kDeviceGone) capture_.Close();
        break;
      }
      newest = std::move(packet);
      have_packet = true;
    }
  }
  if (have_packet) {
    HandleLevel(std::span<const int16_t>(newest.int16));
  } else {
    HandleLevel(std::nullopt);
  }
}

void LevelCapture::HandleLevel(std::optional<std::span<const int16_t>> samples) {
  if (!state_.MusicModeShown()) return;
  const int level = samples ? music_level::FromSamples(*samples) : 0;
  // Only where the keyboard makes the effect itself: first-generation keys
  // take the streamed colours, which this would overwrite.
  if (picture_ != nullptr && state_.MakesMusicEffectItself()) {
    picture_->ResetAllItemsColor(kLevelKeyColor);
  }
  sink_.SendMusicLevel(state_.music_source, state_.music_colour,
                       music_level::Reported(level, state_.music_gain));
}

}  // namespace tessaro
