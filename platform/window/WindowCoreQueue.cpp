// The queue side of the window core: posting, sending, fetching, run loops
// and window timers.
#include "platform/window/MessageIds.h"
#include "platform/window/WindowCore.h"

namespace platform {

bool WindowCore::IsUiThread() const {
  return std::this_thread::get_id() == ui_thread_;
}

bool WindowCore::PostMessage(WindowId window, std::uint32_t message, std::uintptr_t wparam,
                             std::intptr_t lparam) {
  if (window != kNoWindow && !IsWindow(window)) return false;
  queue_.Post(Message{window, message, wparam, lparam});
  return true;
}

std::intptr_t WindowCore::SendMessage(WindowId window, std::uint32_t message, std::uintptr_t wparam,
                                      std::intptr_t lparam) {
  if (!IsWindow(window)) return 0;
  Message m{window, message, wparam, lparam};
  if (IsUiThread()) return Dispatch(m);
  return queue_.SendAndWait(m);
}

void WindowCore::PostQuit(int code) {
  queue_.PostQuit(code);
}

std::intptr_t WindowCore::Deliver(const Message& message) {
  Window* w = Find(message.window);
  if (!w) return 0;
  if (w->params.handler) return w->params.handler->OnMessage(message);
  return DefaultHandling(message);
}

std::intptr_t WindowCore::Dispatch(const Message& message) {
  // A message that outlived its window is dropped here: it never reaches a
  // handler that may have been freed with the window.
  if (!IsWindow(message.window)) return 0;
  if (message.message == msg::kPaint) {
    Paint(message.window);
    return 0;
  }
  return Deliver(message);
}

std::optional<Message> WindowCore::TakeSynthesized() {
  Milliseconds now = clock_->Now();
  if (auto timer = timers_.TakeDue(now)) return timer;
  if (tracking_.hover && now >= tracking_.hover_due) {
    WindowId window = tracking_.window;
    tracking_.hover = false;
    if (!tracking_.leave) tracking_ = {};
    if (pointer_window_ == window || capture_ == window) {
      return Message{window, msg::kMouseHover, MouseKeyFlags(), PackPoint(pointer_client_)};
    }
  }
  std::vector<WindowId> damaged;
  {
    std::lock_guard lock(shared_mutex_);
    for (const auto& [id, region] : damage_) {
      if (!region.IsEmpty()) damaged.push_back(id);
    }
  }
  for (WindowId id : damaged) {
    const Window* w = Find(id);
    if (w && w->visible && !w->minimized) return Message{id, msg::kPaint, 0, 0};
  }
  return std::nullopt;
}

std::optional<Milliseconds> WindowCore::WaitTimeout() const {
  std::optional<Milliseconds> due = timers_.EarliestDue();
  if (tracking_.hover && (!due || tracking_.hover_due < *due)) due = tracking_.hover_due;
  if (!due) return std::nullopt;
  Milliseconds left = *due - clock_->Now();
  return left.count() > 0 ? left : Milliseconds{0};
}

Fetch WindowCore::NextMessage(Message& message, bool wait) {
  // Input that arrived since the last look is queued first.
  if (!backend_->Wait(Milliseconds{0}, Events())) return Fetch::kError;
  for (;;) {
    while (auto posted = queue_.Pop([this](const Message& m) { return Dispatch(m); })) {
      if (posted->window != kNoWindow && !IsWindow(posted->window)) continue;
      message = *posted;
      return Fetch::kMessage;
    }
    if (auto quit = queue_.TakeQuit()) {
      message = Message{kNoWindow, msg::kQuit, static_cast<std::uintptr_t>(*quit), 0};
      return Fetch::kQuit;
    }
    if (auto synthesized = TakeSynthesized()) {
      message = *synthesized;
      return Fetch::kMessage;
    }
    if (!wait) return Fetch::kEmpty;
    if (!backend_->Wait(WaitTimeout(), Events())) return Fetch::kError;
  }
}

LoopResult WindowCore::RunLoopWith(LoopHooks* hooks) {
  loops_.push_back({});
  LoopResult result;
  for (;;) {
    if (loops_.back().ended) {
      result = {LoopEnd::kEnded, loops_.back().code};
      break;
    }
    Message m;
    Fetch fetch = NextMessage(m, true);
    if (fetch == Fetch::kError) {
      result = {LoopEnd::kError, -1};
      break;
    }
    if (fetch == Fetch::kQuit) {
      result = {LoopEnd::kQuit, static_cast<int>(m.wparam)};
      // The loops around this one end too.
      if (loops_.size() > 1) PostQuit(result.code);
      break;
    }
    bool consumed = hooks && hooks->PreTranslate(m);
    if (!consumed) Dispatch(m);
    if (hooks && hooks->AfterDispatch(m) && !loops_.back().ended) {
      result = {LoopEnd::kEnded, 0};
      break;
    }
  }
  loops_.pop_back();
  return result;
}

void WindowCore::EndLoop(int code) {
  if (loops_.empty()) return;
  loops_.back().ended = true;
  loops_.back().code = code;
}

int WindowCore::Pump() {
  int count = 0;
  for (;;) {
    Message m;
    Fetch fetch = NextMessage(m, false);
    if (fetch == Fetch::kQuit) {
      PostQuit(static_cast<int>(m.wparam));  // left for the run loop that will see it
      return count;
    }
    if (fetch != Fetch::kMessage) return count;
    Dispatch(m);
    ++count;
  }
}

bool WindowCore::SetTimer(WindowId window, std::uintptr_t timer_id, Milliseconds period) {
  if (!Find(window)) return false;
  return timers_.Set(window, timer_id, period, clock_->Now());
}

bool WindowCore::KillTimer(WindowId window, std::uintptr_t timer_id) {
  return timers_.Kill(window, timer_id);
}

bool WindowCore::HasTimer(WindowId window, std::uintptr_t timer_id) const {
  return timers_.Has(window, timer_id);
}

bool WindowCore::RestartTimer(WindowId window, std::uintptr_t timer_id) {
  return timers_.Restart(window, timer_id, clock_->Now());
}

}  // namespace platform
