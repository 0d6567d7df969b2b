#include "platform/window/TimerTable.h"

#include "platform/window/MessageIds.h"

namespace platform {

bool TimerTable::Set(WindowId window, std::uintptr_t id, Milliseconds period, Milliseconds now) {
  if (period.count() < 1) period = Milliseconds{1};
  timers_[{window, id}] = Timer{period, now + period};
  return true;
}

bool TimerTable::Kill(WindowId window, std::uintptr_t id) {
  return timers_.erase({window, id}) > 0;
}

bool TimerTable::Has(WindowId window, std::uintptr_t id) const {
  return timers_.contains({window, id});
}

void TimerTable::DropWindow(WindowId window) {
  std::erase_if(timers_, [window](const auto& entry) { return entry.first.first == window; });
}

std::optional<Message> TimerTable::TakeDue(Milliseconds now) {
  auto best = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= now && (best == timers_.end() || it->second.due < best->second.due)) {
      best = it;
    }
  }
  if (best == timers_.end()) return std::nullopt;
  best->second.due = now + best->second.period;
  return Message{best->first.first, msg::kTimer, best->first.second, 0};
}

bool TimerTable::Restart(WindowId window, std::uintptr_t id, Milliseconds now) {
  auto it = timers_.find({window, id});
  if (it == timers_.end()) return false;
  it->second.due = now + it->second.period;
  return true;
}

std::optional<Milliseconds> TimerTable::EarliestDue() const {
  std::optional<Milliseconds> earliest;
  for (const auto& [key, timer] : timers_) {
    if (!earliest || timer.due < *earliest) earliest = timer.due;
  }
  return earliest;
}

}  // namespace platform
