#pragma once
// What a key press hands on instead of playing it at once. The filter monitor
// thread must not block on a long macro or on starting a program, so macros go
// to the device worker and software functions to the main window's thread.

namespace tessaro {

class PlaybackHandoff {
 public:
  // The main window's message that runs a software function; its second
  // parameter is the KeyOtherData id.
  static constexpr int kRunSoftwareFunctionMessage = 1092;

  virtual ~PlaybackHandoff() = default;

  // Appends the macro id to the filter event queue; the device worker plays
  // one queued macro per tick.
  virtual void QueueMacro(int macro_id) = 0;

  // Posts kRunSoftwareFunctionMessage with the KeyOtherData id to the main
  // window (start a program, open a web page, type a text, switch profile).
  virtual void PostSoftwareFunction(int other_data_id) = 0;
};

}  // namespace tessaro
