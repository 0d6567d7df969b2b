#pragma once
// A number field with up and down buttons at its right edge. The buttons,
// the Up, Down, plus and minus keys step the value and wrap at the ends of
// the range; typed digits append to it (or start over once the limit length
// is passed). Every change by the user is reported with 28.
#include <string>

#include "uilib/controls/MPanel.h"

namespace tumi {

class CImageButton;

class MSpinButton : public MPanel {
 public:
  static constexpr unsigned kUpButtonId = 30;
  static constexpr unsigned kDownButtonId = 31;

  MSpinButton(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "MSpinButton"; }
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlEnabled(int enabled) override;
  int SetControlFocus(int focus) override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlKeyDown(int key, int repeat, int modifiers) override;

  // Stores the value and repaints when it changed; no notification.
  void SetCurValue(int value);
  int GetCurValue() const { return value_; }
  void SetRange(int minimum, int maximum);
  int GetMinValue() const { return min_; }
  int GetMaxValue() const { return max_; }
  // How many digits typed input may reach.
  void SetLimitLength(int length) { limit_length_ = length; }
  int GetSpinState() const { return state_; }

 private:
  void Layout();
  void Step(int delta);
  // Wraps a value into the range: above it the minimum, below it the maximum.
  int Wrap(long long value) const;
  // Takes a new value from the user: repaint when changed, 28 in any case.
  void Commit(int value);
  void SetSpinState(int state);

  int state_ = 0;
  int value_ = 0;
  int min_ = 1;
  int max_ = 100;
  int limit_length_ = 3;
  CImageButton* up_ = nullptr;    // owned through the child list
  CImageButton* down_ = nullptr;  // owned through the child list
};

}  // namespace tumi
