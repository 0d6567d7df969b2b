#pragma once
// Connects a keystroke source to macro recording and key capture. The source
// is picked anew at each start: the key filter, which keeps the keys from the
// system, or the X server's raw key events, which cannot (the recorder is
// told which, so the macro page can say so). Sources call on their own
// thread; the recorder's state is the UI thread's, so every keystroke is
// posted there.
#include <functional>

#include "app/macros/MacroRecorder.h"
#include "platform/input/StrokeSources.h"

namespace tessaro {

class KeystrokeFeed {
 public:
  // Runs the task later on the UI thread.
  using PostToUi = std::function<void(std::function<void()>)>;

  KeystrokeFeed(platform::StrokeSources& sources, MacroRecorder& recorder, PostToUi post)
      : sources_(sources), recorder_(recorder), post_(std::move(post)) {}
  ~KeystrokeFeed() { Stop(); }
  KeystrokeFeed(const KeystrokeFeed&) = delete;
  KeystrokeFeed& operator=(const KeystrokeFeed&) = delete;

  // Keystrokes go to MacroRecorder::OnKeystroke with their source's time.
  // False when there is no source (the recorder's KeySource says kNone).
  bool FeedRecording();
  // Keystrokes go to MacroRecorder::OnRawInput; false as above.
  bool FeedKeyCapture();
  // The keyboard goes back to the system.
  void Stop();

 private:
  bool Feed(platform::StrokeSource::StrokeHandler handler);

  platform::StrokeSources& sources_;
  MacroRecorder& recorder_;
  PostToUi post_;
  platform::StrokeSource* active_ = nullptr;
};

}  // namespace tessaro
