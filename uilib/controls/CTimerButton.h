#pragma once
// A button that counts down ten seconds once started, showing the seconds
// left after its title, and reports 2 when the time is up or when clicked.
// The count-down runs on a control timer, so the notification comes on the
// UI thread like every other.
#include <string>

#include "platform/system/Clock.h"
#include "uilib/controls/MButton.h"

namespace tumi {

class CTimerButton : public MButton {
 public:
  CTimerButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
               int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CTimerButton"; }
  int OnControlTimer() override;

  // Starts (only while enabled) or stops the count-down.
  void SetRun(int run);
  int IsRunning() const { return running_; }
  // Whole seconds left, rounded up; 0 when not running.
  int SecondsLeft() const;

  static constexpr int kCountDownMs = 10000;
  static constexpr int kTickMs = 100;

 protected:
  void OnClicked() override;
  std::string DisplayTitle() const override;

 private:
  platform::Milliseconds Now() const;
  void Stop();

  int running_ = 0;
  long long started_ms_ = 0;
  int shown_seconds_ = 0;
};

}  // namespace tumi
