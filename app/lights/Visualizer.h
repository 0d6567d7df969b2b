#pragma once
// The music light of first-generation keyboards: a thread that reads the
// loopback sound as floats, analyses it every 15 ms and paints a 256 by 64
// picture of the spectrum (foreground pattern) over a background pattern. The
// device worker samples the current picture at the key positions.
//
// Threads: the engine thread owns the analysis and paints into the picture
// that is not current; the swap and every read of the current picture happen
// under one lock, so a reader never sees half a frame. The light page sets
// the patterns and enables the engine from the UI thread; the thread takes the
// parameters once per frame, so a change never paints with half of them and
// needs no pause.
#include <atomic>
#include <mutex>
#include <span>
#include <thread>

#include "app/lights/BandAnalyzer.h"
#include "app/lights/LightPicture.h"
#include "app/lights/PatternLayer.h"
#include "platform/audio/LoopbackCapture.h"
#include "platform/system/Clock.h"

namespace tessaro {

// The parts of a music layer record the engine uses.
struct MusicPatterns {
  int foreground = 0;        // foremode
  int gain = 270;            // fore_amplitude
  int background = 0;        // backmode
  int background_level = 0;  // backb_right, percent
};

struct PictureCell {
  int column = 0;
  int row = 0;
};

class Visualizer {
 public:
  static constexpr platform::Milliseconds kFramePeriod{15};
  static constexpr platform::Milliseconds kDisabledPoll{500};
  static constexpr platform::Milliseconds kPollStep{100};
  static constexpr platform::Milliseconds kReopenInterval{2000};
  static constexpr int kForegroundLevel = 100;
  static constexpr int kHueStep = 5;
  static constexpr int kMaxPacketsPerFrame = 64;

  Visualizer(platform::LoopbackCapture& capture, platform::Clock& clock);
  ~Visualizer();
  Visualizer(const Visualizer&) = delete;
  Visualizer& operator=(const Visualizer&) = delete;

  // Starts the engine thread, disabled. False when it already runs.
  bool Start();
  void Stop();

  // The light page: on while a music mode is shown. The capture stays closed
  // while the engine is off, so an idle program does not keep the output busy.
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }
  // A music layer was loaded: new patterns and a fresh capture.
  void LoadLayer(const MusicPatterns& patterns);
  void SetPatterns(const MusicPatterns& patterns);

  // One frame: decay, drain the capture, analyse, paint, compose, swap. The
  // engine thread calls it; tests call it directly.
  void RunFrame();

  // Any thread: colours of the current picture at the cells.
  void SampleFrame(std::span<const PictureCell> cells, std::span<uint32_t> colors) const;
  LightPicture CurrentFrame() const;
  int HueAngle() const { return hue_angle_; }
  const BandAnalyzer& Analyzer() const { return analyzer_; }

 private:
  void ThreadMain();
  void KeepCaptureState();
  void Drain(float gain);

  platform::LoopbackCapture& capture_;
  platform::Clock& clock_;

  std::atomic<bool> running_{false};
  std::atomic<bool> enabled_{false};
  std::atomic<bool> reopen_{false};
  std::thread thread_;

  std::mutex patterns_mutex_;
  MusicPatterns patterns_;

  BandAnalyzer analyzer_;
  PatternLayer foreground_;
  PatternLayer background_;
  std::atomic<int> hue_angle_{0};
  platform::Milliseconds last_open_attempt_{-kReopenInterval};
  bool ever_tried_open_ = false;

  mutable std::mutex frame_mutex_;
  LightPicture frames_[2];
  int current_ = 0;
};

}  // namespace tessaro
