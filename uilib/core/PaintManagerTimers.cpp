// The paint manager's timers: per-control window timers, the shared dialog
// timer, and the timers of the status box, the caret and the tooltip.
#include <algorithm>

#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/TooltipWnd.h"

namespace tumi {

namespace {
// Control timer ids cycle below 240 and never take an id the manager uses
// for itself or one a live record holds.
constexpr std::uintptr_t kControlTimerIds = 240;
bool Reserved(std::uintptr_t id) {
  return id == 0 || id == kTimerMessageHold || id == kTimerMessageFade || id == kTimerProgress;
}
}  // namespace

std::uintptr_t PaintManager::NextTimerId() const {
  std::uintptr_t id = last_timer_id_;
  for (std::uintptr_t tries = 0; tries < kControlTimerIds; ++tries) {
    id = (id + 1) % kControlTimerIds;
    if (Reserved(id)) continue;
    bool held = std::any_of(timers_.begin(), timers_.end(),
                            [id](const ControlTimer& t) { return t.id == id; });
    if (!held) return id;
  }
  return 0;
}

int PaintManager::SetTimer(MControl* control, unsigned key, int period_ms) {
  platform::WindowSystem* system = System();
  if (!system || !control) return 0;
  std::lock_guard lock(timers_lock_);
  for (ControlTimer& t : timers_) {
    if (t.control != control || t.key != key) continue;
    if (!t.killed) return 0;
    if (!system->SetTimer(window_, t.id, platform::Milliseconds{period_ms})) return 0;
    t.killed = false;
    return 1;
  }
  std::uintptr_t id = NextTimerId();
  if (id == 0 || !system->SetTimer(window_, id, platform::Milliseconds{period_ms})) return 0;
  last_timer_id_ = id;
  timers_.push_back({control, key, id, false});
  return 1;
}

int PaintManager::KillTimer(MControl* control, unsigned key) {
  std::lock_guard lock(timers_lock_);
  for (ControlTimer& t : timers_) {
    if (t.control != control || t.key != key || t.killed) continue;
    if (platform::WindowSystem* system = System()) system->KillTimer(window_, t.id);
    t.killed = true;
    return 1;
  }
  return 0;
}

int PaintManager::KillTimer(MControl* control) {
  std::lock_guard lock(timers_lock_);
  platform::WindowSystem* system = System();
  int count = 0;
  std::erase_if(timers_, [&](const ControlTimer& t) {
    if (t.control != control) return false;
    if (!t.killed && system) system->KillTimer(window_, t.id);
    ++count;
    return true;
  });
  return count;
}

void PaintManager::ClearTimers() {
  std::lock_guard lock(timers_lock_);
  platform::WindowSystem* system = System();
  for (const ControlTimer& t : timers_) {
    if (!t.killed && system) system->KillTimer(window_, t.id);
  }
  timers_.clear();
}

std::uintptr_t PaintManager::TimerIdOf(MControl* control, unsigned key) const {
  std::lock_guard lock(timers_lock_);
  for (const ControlTimer& t : timers_) {
    if (t.control == control && t.key == key) return t.id;
  }
  return 0;
}

int PaintManager::SetMTimer(int period_ms) {
  platform::WindowSystem* system = System();
  if (!system) return 0;
  KillMTimer();
  int id = system->GetDialogTimer().Start(platform::Milliseconds{period_ms},
                                          [this](int timer_id) { OnMTimer(timer_id); });
  mtimer_id_ = id;
  return id;
}

void PaintManager::KillMTimer(int timer_id) {
  platform::WindowSystem* system = System();
  if (!system || timer_id == 0) return;
  // Returns once a tick in flight has finished.
  system->GetDialogTimer().Stop(timer_id);
  if (timer_id == mtimer_id_) mtimer_id_ = 0;
}

void PaintManager::KillMTimer() {
  KillMTimer(mtimer_id_);
}

void PaintManager::AddMTimer(MControl* control) {
  std::lock_guard lock(timer_controls_lock_);
  timer_controls_.push_back(control);
}

int PaintManager::DeleteQelTimer(MControl* control) {
  std::lock_guard lock(timer_controls_lock_);
  auto it = std::find(timer_controls_.begin(), timer_controls_.end(), control);
  if (it == timer_controls_.end()) return 0;
  timer_controls_.erase(it);
  return 1;
}

void PaintManager::OnMTimer(int timer_id) {
  if (timer_id == 0 || timer_id != mtimer_id_) return;
  // Held for the whole walk: removing a control waits for it.
  std::lock_guard lock(timer_controls_lock_);
  for (MControl* c : timer_controls_) {
    if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible()) c->OnTimer();
  }
}

void PaintManager::OnTimerMessage(std::uintptr_t id) {
  platform::WindowSystem* system = System();
  switch (id) {
    case kTimerMessageHold:
      if (system) {
        system->KillTimer(window_, kTimerMessageHold);
        system->SetTimer(window_, kTimerMessageFade, platform::Milliseconds{50});
      }
      return;
    case kTimerMessageFade:
      message_alpha_ -= 10;
      if (message_alpha_ < 20) {
        message_alpha_ = 0;
        shown_progress_ = 0;
        if (system) system->KillTimer(window_, kTimerMessageFade);
      }
      InvalidateRect(message_box_);
      return;
    case kTimerProgress:
      StepProgress();
      return;
    case kTimerCaret:
      caret_phase_ ^= 1;
      InvalidateRect(caret_rect_);
      return;
    case kTimerTooltip:
      if (system) system->KillTimer(window_, kTimerTooltip);
      ShowTooltipNow();
      return;
    default:
      break;
  }
  std::vector<MControl*> due;
  {
    std::lock_guard lock(timers_lock_);
    for (const ControlTimer& t : timers_) {
      if (t.id == id && !t.killed) due.push_back(t.control);
    }
  }
  for (MControl* c : due) {
    // A timer handler may take another control out.
    bool live = false;
    {
      std::lock_guard lock(timers_lock_);
      live = std::any_of(timers_.begin(), timers_.end(),
                         [c](const ControlTimer& t) { return t.control == c; });
    }
    if (live && !c->IsDetached()) c->OnTimer();
  }
}

void PaintManager::StepProgress() {
  platform::WindowSystem* system = System();
  // Steps of 2 that stop at the target, whatever the distance.
  shown_progress_ = std::min(shown_progress_ + 2, target_progress_);
  if (shown_progress_ >= target_progress_ && system) system->KillTimer(window_, kTimerProgress);
  InvalidateRect(message_box_);
  if (shown_progress_ >= 100 && system) {
    system->SetTimer(window_, kTimerMessageFade, platform::Milliseconds{50});
  }
}

void PaintManager::SetMessage(const std::string& text, const Rect& box, MsgLevel level) {
  platform::WindowSystem* system = System();
  if (system) {
    system->KillTimer(window_, kTimerMessageHold);
    system->KillTimer(window_, kTimerMessageFade);
    system->KillTimer(window_, kTimerProgress);
  }
  InvalidateRect(message_box_);
  message_alpha_ = 255;
  message_text_ = text;
  message_level_ = level;
  shown_progress_ = 0;
  message_box_ = box;
  InvalidateRect(message_box_);
  if (system) system->SetTimer(window_, kTimerMessageHold, platform::Milliseconds{3000});
}

void PaintManager::SetProgress(int percent, const std::string& text, const Rect& box) {
  percent = std::clamp(percent, 0, 100);
  if (percent == target_progress_) return;
  platform::WindowSystem* system = System();
  if (percent < 5 && system) system->KillTimer(window_, kTimerMessageFade);
  message_alpha_ = 255;
  message_text_ = text;
  target_progress_ = percent;
  InvalidateRect(message_box_);
  if (box.IsEmpty()) {
    Rect client = GetClientRect();
    message_box_ = Rect{client.left, client.bottom - 60, client.right, client.bottom - 2};
  } else {
    message_box_ = box;
  }
  if (target_progress_ - shown_progress_ < 6) {
    shown_progress_ = target_progress_;
    InvalidateRect(message_box_);
    if (shown_progress_ > 99 && system) {
      system->SetTimer(window_, kTimerMessageFade, platform::Milliseconds{50});
    }
    return;
  }
  if (system) system->SetTimer(window_, kTimerProgress, platform::Milliseconds{10});
}

int PaintManager::SetTooltip(const std::string& text, const Rect& /*rect*/) {
  tooltip_text_ = text;
  platform::WindowSystem* system = System();
  if (text.empty()) {
    if (system) system->KillTimer(window_, kTimerTooltip);
    if (tooltip_) tooltip_->Hide();
    return 0;
  }
  if (tooltip_ && tooltip_->IsShown()) {
    tooltip_->SetText(text);
    return 1;
  }
  if (!system) return 0;
  return system->SetTimer(window_, kTimerTooltip, platform::Milliseconds{kTooltipDelayMs}) ? 1 : 0;
}

void PaintManager::SetTooltipOwner(MControl* owner) {
  tooltip_owner_ = owner;
  tooltip_owner_id_ = owner ? static_cast<int>(owner->GetControlID()) : 0;
}

void PaintManager::ClearTooltip() {
  tooltip_text_.clear();
  if (platform::WindowSystem* system = System()) system->KillTimer(window_, kTimerTooltip);
  if (tooltip_) tooltip_->Hide();
  tooltip_owner_ = nullptr;
  tooltip_owner_id_ = 0;
}

void PaintManager::ShowTooltipNow() {
  platform::WindowSystem* system = System();
  if (!system || tooltip_text_.empty()) return;
  if (!tooltip_) tooltip_ = std::make_unique<TooltipWnd>();
  platform::Point cursor = system->CursorPos();
  tooltip_->ShowAt(window_, tooltip_text_, Point{cursor.x, cursor.y + 20});
}

}  // namespace tumi
