#include "app/macros/MacroRecorder.h"

#include "app/device/KeyNames.h"

namespace tessaro {

bool MacroRecorder::StartRecording(int32_t macro_id, DelayType delay_type, int32_t fixed_delay) {
  if (macro_id <= 0) return false;
  delay_type_ = delay_type;
  fixed_delay_ = delay_type == DelayType::kFixed ? fixed_delay : kDefaultFixedDelay;
  previous_ms_ = 0;
  state_ = CaptureState::kRecording;
  return true;
}

void MacroRecorder::StopRecording() {
  state_ = CaptureState::kIdle;
  previous_ms_ = 0;
}

void MacroRecorder::OnKeystroke(const KeyInput& input, int64_t time_ms) {
  if (state_ != CaptureState::kRecording) return;
  const std::optional<NamedKey> named = HookKeyName(input);
  if (!named) return;
  if (!named->release) {
    if (!held_.insert(named->code).second) return;  // auto-repeat
  } else {
    held_.erase(named->code);
  }
  AppendStep(named->name, named->release, named->code, time_ms);
}

void MacroRecorder::AppendStep(const std::string& name, bool release, uint32_t code,
                               int64_t time_ms) {
  int64_t elapsed = 0;
  if (previous_ms_ != 0) {
    elapsed = time_ms - previous_ms_;
    if (elapsed > kMaxDelayMs || elapsed < 0) elapsed = kMaxDelayMs;
  }
  previous_ms_ = time_ms;
  int64_t delay = 0;
  if (delay_type_ == DelayType::kMeasured) delay = elapsed;
  if (delay_type_ == DelayType::kFixed) delay = fixed_delay_;
  // Each step carries the time until the next one: the delay lands on the
  // step before, and the last step keeps 0.
  if (delay != 0) steps_.UpdateLastDelay(static_cast<int32_t>(delay));
  steps_.AddStep(name, release ? kReleaseStep : kPressStep, code, 0);
}

void MacroRecorder::StartKeyCapture(std::function<void(const std::string&)> show_name) {
  show_name_ = std::move(show_name);
  state_ = CaptureState::kKeyCapture;
}

void MacroRecorder::StopKeyCapture() {
  show_name_ = nullptr;
  if (state_ == CaptureState::kKeyCapture) state_ = CaptureState::kIdle;
}

void MacroRecorder::OnRawInput(const RawInput& input) {
  if (state_ != CaptureState::kKeyCapture || !show_name_) return;
  const RawKeyEvent event = RawKeyName(input);
  if (event.kind != RawKeyEvent::Kind::kKey || event.name.empty()) return;
  show_name_(event.name);
}

KeyInput KeyInputFromStroke(const platform::KeyStroke& stroke) {
  return {stroke.key.vk, stroke.key.scan_code, stroke.key.extended, stroke.value == 0};
}

RawInput RawInputFromStroke(const platform::KeyStroke& stroke) {
  RawInput raw;
  raw.device = RawInput::Device::kKeyboard;
  raw.key = KeyInputFromStroke(stroke);
  // Raw input names the modifiers without their side.
  switch (raw.key.vk) {
    case 160:
    case 161:
      raw.key.vk = 16;
      break;
    case 162:
    case 163:
      raw.key.vk = 17;
      break;
    case 164:
    case 165:
      raw.key.vk = 18;
      break;
    default:
      break;
  }
  return raw;
}

int64_t StrokeTimeMs(const platform::KeyStroke& stroke) {
  return stroke.time_us / 1000;
}

}  // namespace tessaro
