#pragma once
// Window timers: kTimer messages with the timer id in wparam, on the UI
// thread. A timer is due one period after it was set or last fired; a late
// timer fires once, not once per missed period. UI thread only.
#include <cstdint>

#include "platform/system/Clock.h"
#include "platform/window/Message.h"

namespace platform {

class WindowTimers {
 public:
  virtual ~WindowTimers() = default;
  // Starts the timer, or re-arms it with the new period when it runs.
  virtual bool SetTimer(WindowId window, std::uintptr_t timer_id, Milliseconds period) = 0;
  virtual bool KillTimer(WindowId window, std::uintptr_t timer_id) = 0;
  virtual bool HasTimer(WindowId window, std::uintptr_t timer_id) const = 0;
};

}  // namespace platform
