#include "uilib/controls/CTimerButton.h"

#include "platform/window/WindowSystem.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

CTimerButton::CTimerButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                           int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {}

platform::Milliseconds CTimerButton::Now() const {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  return system ? system->GetClock().Now() : platform::Milliseconds{0};
}

void CTimerButton::SetRun(int run) {
  if (!run) {
    Stop();
    return;
  }
  if (!enabled_ || !manager_) return;
  started_ms_ = Now().count();
  running_ = 1;
  shown_seconds_ = SecondsLeft();
  manager_->SetTimer(this, 0, kTickMs);
  UpdateControl(1, 0);
}

void CTimerButton::Stop() {
  if (!running_) return;
  running_ = 0;
  if (manager_) manager_->KillTimer(this, 0);
  UpdateControl(1, 0);
}

int CTimerButton::SecondsLeft() const {
  if (!running_) return 0;
  long long left = kCountDownMs - (Now().count() - started_ms_);
  if (left <= 0) return 0;
  return static_cast<int>((left + 999) / 1000);
}

int CTimerButton::OnControlTimer() {
  if (!running_) return 0;
  if (Now().count() - started_ms_ >= kCountDownMs) {
    Stop();
    SendMessageW(kNotifyActivated);
    return 1;
  }
  int seconds = SecondsLeft();
  // The picture changes only when the seconds shown do.
  if (seconds != shown_seconds_) {
    shown_seconds_ = seconds;
    UpdateControl(1, 0);
  }
  return 1;
}

void CTimerButton::OnClicked() {
  Stop();
  SendMessageW(kNotifyActivated);
}

std::string CTimerButton::DisplayTitle() const {
  if (!running_) return title_;
  return title_ + "(" + std::to_string(SecondsLeft()) + "s)";
}

}  // namespace tumi
