#include "app/macros/KeystrokeFeed.h"

namespace tessaro {

void KeystrokeFeed::FeedRecording() {
  filter_.SetStrokeHandler([this](const platform::KeyStroke& stroke) {
    const KeyInput input = KeyInputFromStroke(stroke);
    const int64_t time_ms = StrokeTimeMs(stroke);
    post_([this, input, time_ms] { recorder_.OnKeystroke(input, time_ms); });
  });
}

void KeystrokeFeed::FeedKeyCapture() {
  filter_.SetStrokeHandler([this](const platform::KeyStroke& stroke) {
    if (stroke.value != 1) return;  // the name shows on the press
    const RawInput input = RawInputFromStroke(stroke);
    post_([this, input] { recorder_.OnRawInput(input); });
  });
}

void KeystrokeFeed::Stop() {
  filter_.SetStrokeHandler(nullptr);
}

}  // namespace tessaro
