#pragma once
// Plays a stored macro through the virtual device: the device worker runs one
// queued macro id per tick.
#include "app/macros/VHidev.h"
#include "app/store/ConfigStore.h"
#include "platform/system/Clock.h"

namespace tessaro {

class MacroPlayer {
 public:
  // Every step waits at least this long after it.
  static constexpr platform::Milliseconds kMinimumStepWait{5};

  MacroPlayer(VHidev& device, ConfigStore& store, platform::Clock& clock)
      : device_(device), store_(store), clock_(clock) {}

  // Repeats the macro's steps play_times times, each step followed by its own
  // delay, and releases everything after each pass. Nothing when the device
  // or the macro is missing. The macro's delay_type and delay_time play no
  // part; only the step delays count.
  void PlayMacro(int macro_id);

 private:
  VHidev& device_;
  ConfigStore& store_;
  platform::Clock& clock_;
};

}  // namespace tessaro
