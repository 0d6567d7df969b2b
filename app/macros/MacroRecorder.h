#pragma once
// Macro recording: turns the user's key presses and releases into macro
// steps with delays, and key capture, which names one pressed key for the
// macro page's key field. Keystrokes come from the key filter, which consumes
// every key of the served keyboard while recording, or, when the keyboard's
// event nodes cannot be read, from the X server's raw key events, which
// cannot: the keys then reach the focused window too. They arrive with their
// source's time stamps, so the delays are those the user made, whatever the
// thread hand-off costs. All state is the UI thread's.
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "app/device/KeyInput.h"
#include "app/device/RawInput.h"
#include "platform/input/StrokeSource.h"
#include "platform/system/Clock.h"

namespace tessaro {

// The macro page's step list as recording fills it.
class RecordedSteps {
 public:
  virtual ~RecordedSteps() = default;
  // type 2 for a press, 3 for a release; value the key code.
  virtual void AddStep(const std::string& name, int32_t type, uint32_t value, int32_t delay) = 0;
  // Sets the delay of the last step; nothing when there is none.
  virtual void UpdateLastDelay(int32_t delay) = 0;
};

class MacroRecorder {
 public:
  enum class CaptureState { kIdle = 0, kRecording = 1, kKeyCapture = 2 };
  enum class DelayType { kMeasured = 1, kNone = 2, kFixed = 3 };
  // Where keystrokes come from: none (nothing will be recorded), a source
  // that keeps them from the system, or one that shares them with the
  // focused window.
  enum class KeySource { kNone, kConsumed, kShared };

  static constexpr int64_t kMaxDelayMs = 31000;
  static constexpr int32_t kDefaultFixedDelay = 10;
  static constexpr int32_t kPressStep = 2;
  static constexpr int32_t kReleaseStep = 3;

  explicit MacroRecorder(RecordedSteps& steps) : steps_(steps) {}

  // Needs a macro with a positive id; the fixed delay counts for kFixed only.
  bool StartRecording(int32_t macro_id, DelayType delay_type, int32_t fixed_delay);
  void StopRecording();

  // A keystroke while recording, stamped in milliseconds. Auto-repeat and
  // keys without a code record nothing.
  void OnKeystroke(const KeyInput& input, int64_t time_ms);

  // Key capture: while on, a key press names itself through the callback.
  void StartKeyCapture(std::function<void(const std::string&)> show_name);
  void StopKeyCapture();
  void OnRawInput(const RawInput& input);

  CaptureState State() const { return state_; }

  // Set by whoever connects the source, at each start.
  void SetKeySource(KeySource source) { source_ = source; }
  KeySource Source() const { return source_; }
  // Whether the program's own windows must not act on the keys they receive:
  // with a shared source the recorded keys reach the focused window, and when
  // that is ours Enter or Space would press the focused button and letters
  // would type into the key field.
  bool IgnoresWindowKeys() const {
    return state_ != CaptureState::kIdle && source_ == KeySource::kShared;
  }

 private:
  void AppendStep(const std::string& name, bool release, uint32_t code, int64_t time_ms);

  RecordedSteps& steps_;
  CaptureState state_ = CaptureState::kIdle;
  KeySource source_ = KeySource::kNone;
  DelayType delay_type_ = DelayType::kMeasured;
  int32_t fixed_delay_ = kDefaultFixedDelay;
  int64_t previous_ms_ = 0;
  // Kept between recordings: a key still held when one stopped is ignored at
  // its next press until it has been released once.
  std::set<uint32_t> held_;
  std::function<void(const std::string&)> show_name_;
};

// What the filter reports, as recording and key capture take it. Auto-repeat
// is a press; raw input carries the side-independent modifier codes.
KeyInput KeyInputFromStroke(const platform::KeyStroke& stroke);
RawInput RawInputFromStroke(const platform::KeyStroke& stroke);
int64_t StrokeTimeMs(const platform::KeyStroke& stroke);

}  // namespace tessaro
