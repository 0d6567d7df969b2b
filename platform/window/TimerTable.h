#pragma once
// Window timers by (window, timer id) with their next due time. UI thread only.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "platform/system/Clock.h"
#include "platform/window/Message.h"

namespace platform {

class TimerTable {
 public:
  bool Set(WindowId window, std::uintptr_t id, Milliseconds period, Milliseconds now);
  bool Kill(WindowId window, std::uintptr_t id);
  bool Has(WindowId window, std::uintptr_t id) const;
  void DropWindow(WindowId window);
  // The timer due longest ago, if any is due; it is re-armed one period from now.
  std::optional<Message> TakeDue(Milliseconds now);
  // Re-arms a timer as if it fired now; false when it does not run.
  bool Restart(WindowId window, std::uintptr_t id, Milliseconds now);
  std::optional<Milliseconds> EarliestDue() const;

 private:
  struct Timer {
    Milliseconds period{0};
    Milliseconds due{0};
  };
  std::map<std::pair<WindowId, std::uintptr_t>, Timer> timers_;
};

}  // namespace platform
