#include "app/macros/KeystrokeFeed.h"

namespace tessaro {

bool KeystrokeFeed::FeedRecording() {
  return Feed([this](const platform::KeyStroke& stroke) {
    const KeyInput input = KeyInputFromStroke(stroke);
    const int64_t time_ms = StrokeTimeMs(stroke);
    post_([this, input, time_ms] { recorder_.OnKeystroke(input, time_ms); });
  });
}

bool KeystrokeFeed::FeedKeyCapture() {
  return Feed([this](const platform::KeyStroke& stroke) {
    if (stroke.value != 1) return;  // the name shows on the press
    const RawInput input = RawInputFromStroke(stroke);
    post_([this, input] { recorder_.OnRawInput(input); });
  });
}

bool KeystrokeFeed::Feed(platform::StrokeSource::StrokeHandler handler) {
  Stop();
  active_ = sources_.Pick();
  if (active_ == nullptr) {
    recorder_.SetKeySource(MacroRecorder::KeySource::kNone);
    return false;
  }
  recorder_.SetKeySource(active_->ConsumesKeys() ? MacroRecorder::KeySource::kConsumed
                                                 : MacroRecorder::KeySource::kShared);
  active_->SetStrokeHandler(std::move(handler));
  return true;
}

void KeystrokeFeed::Stop() {
  if (active_ != nullptr) active_->SetStrokeHandler(nullptr);
  active_ = nullptr;
}

}  // namespace tessaro
