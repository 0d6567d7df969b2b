#pragma once
// A skinned four-state button for tests and benchmarks: the states 0 normal,
// 1 hover, 2 pressed, 3 disabled each have a slot of its render cache (frame i
// of its strip with the title on top). It sends code 1 on a press and code 2
// on a completed click, as the library's buttons do.
#include <atomic>
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi::testing {

class StateButton : public MControlFont {
 public:
  StateButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
              int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "StateButton"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlTimer() override {
    ++timer_ticks;
    return 1;
  }

  int State() const { return state_; }
  std::atomic<int> timer_ticks{0};

  // Registers the class "StateButton" with both factories.
  static void Register();

 private:
  void SetState(int state);

  int state_ = 0;
};

}  // namespace tumi::testing
