#pragma once
// The dialog timer: periodic ticks for controls that animate at a high rate,
// run off the UI thread. Ticks follow absolute deadlines (start + n x period),
// so the rate does not drift with the time a tick takes; a tick that runs late
// skips the deadlines it missed rather than firing in a burst. A tick may post
// and invalidate but must not send to the UI thread, which may be waiting in
// Stop for that very tick.
#include <functional>

#include "platform/system/Clock.h"

namespace platform {

class DialogTimer {
 public:
  using Tick = std::function<void(int timer_id)>;

  virtual ~DialogTimer() = default;
  // Starts a periodic timer; its id (above 0), or 0 for a period below 1 ms.
  virtual int Start(Milliseconds period, Tick tick) = 0;
  // After Stop returns, no tick of this timer runs or will run: a tick in
  // flight is waited for. Called from inside a tick it only prevents further
  // ticks. False when the id is unknown.
  virtual bool Stop(int timer_id) = 0;
  virtual void StopAll() = 0;
  virtual bool IsRunning(int timer_id) const = 0;
};

}  // namespace platform
