#pragma once
// The level capture of the music light: a thread that polls the loopback sound
// (16-bit) every capture period and, while the light page shows a music mode,
// sends the loudness as the music level report. Second-generation keyboards
// make their music effect from it.
//
// One report per period, from the newest packet: the keyboard gets the level
// at the rate the light page chose, however the sound server cuts its packets.
// The stream is open only while a music mode is shown, so the output is not
// kept awake otherwise.
#include <atomic>
#include <optional>
#include <span>
#include <thread>

#include "app/lights/KeyPictureTarget.h"
#include "app/lights/LightPageState.h"
#include "app/lights/MusicLevelSink.h"
#include "platform/audio/LoopbackCapture.h"
#include "platform/system/Clock.h"

namespace tessaro {

class LevelCapture {
 public:
  static constexpr int kDefaultPeriodMs = 33;
  static constexpr int kPeriodsMs[] = {33, 66, 99};  // the light page's refresh choices
  static constexpr platform::Milliseconds kReopenInterval{2000};
  // A period holds a handful of packets; the bound only keeps a flooding
  // source from holding the thread.
  static constexpr int kMaxPacketsPerPoll = 256;
  // Keys of second-generation keyboards show this while the music plays.
  static constexpr uint32_t kLevelKeyColor = 0xFFFF00;

  LevelCapture(platform::LoopbackCapture& capture, platform::Clock& clock, LightPageState& state,
               MusicLevelSink& sink, KeyPictureTarget* picture);
  ~LevelCapture();
  LevelCapture(const LevelCapture&) = delete;
  LevelCapture& operator=(const LevelCapture&) = delete;

  // False when the thread already runs.
  bool Start();
  void Stop();
  bool Running() const { return running_; }

  // 33, 66 or 99; any other value is taken as the nearest of them.
  void SetPeriod(int milliseconds);
  int PeriodMs() const { return period_ms_; }

  // One period's work without the sleep: the thread's body, and the tests'.
  void Poll();
  // The level handler: samples of the newest packet, or none.
  void HandleLevel(std::optional<std::span<const int16_t>> samples);

 private:
  void ThreadMain();
  bool EnsureOpen();

  platform::LoopbackCapture& capture_;
  platform::Clock& clock_;
  LightPageState& state_;
  MusicLevelSink& sink_;
  KeyPictureTarget* picture_;

  std::atomic<bool> running_{false};
  std::atomic<int> period_ms_{kDefaultPeriodMs};
  std::thread thread_;
  bool tried_open_ = false;
  platform::Milliseconds last_open_attempt_{0};
};

}  // namespace tessaro
