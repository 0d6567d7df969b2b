#pragma once
// Connects the key filter's keystrokes to macro recording and key capture.
// The filter calls on its own thread; the recorder's state is the UI
// thread's, so every keystroke is posted there.
#include <functional>

#include "app/macros/MacroRecorder.h"
#include "platform/input/FilterDevice.h"

namespace tessaro {

class KeystrokeFeed {
 public:
  // Runs the task later on the UI thread.
  using PostToUi = std::function<void(std::function<void()>)>;

  KeystrokeFeed(platform::FilterDevice& filter, MacroRecorder& recorder, PostToUi post)
      : filter_(filter), recorder_(recorder), post_(std::move(post)) {}
  ~KeystrokeFeed() { Stop(); }
  KeystrokeFeed(const KeystrokeFeed&) = delete;
  KeystrokeFeed& operator=(const KeystrokeFeed&) = delete;

  // Keystrokes go to MacroRecorder::OnKeystroke with their kernel time.
  void FeedRecording();
  // Keystrokes go to MacroRecorder::OnRawInput.
  void FeedKeyCapture();
  // The keyboard goes back to the system.
  void Stop();

 private:
  platform::FilterDevice& filter_;
  MacroRecorder& recorder_;
  PostToUi post_;
};

}  // namespace tessaro
