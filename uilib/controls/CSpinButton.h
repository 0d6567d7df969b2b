#pragma once
// A number field with up and down arrows at its right edge: a rich edit that
// takes digits only. The arrows step the value by one and wrap around the
// range; each step shows the value and reports 28. Typing keeps the value in
// the range (an empty text counts as 0) without a report.
#include <memory>
#include <string>

#include "uilib/controls/MRichEdit.h"

namespace tumi {

class CSpinButton : public MRichEdit {
 public:
  // The arrows' ids, as child buttons of the field would have.
  static constexpr unsigned kUpId = 30;
  static constexpr unsigned kDownId = 31;

  CSpinButton(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
              int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CSpinButton"; }

  void SetCurValue(int value);
  int GetCurValue() const { return value_; }
  void SetRange(int minimum, int maximum);
  int GetMinValue() const { return minimum_; }
  int GetMaxValue() const { return maximum_; }
  // The arrows' rectangles and states (0 normal, 1 hover, 2 pressed, 3
  // disabled).
  Rect ArrowRect(unsigned arrow) const;
  int ArrowState(unsigned arrow) const { return arrow == kUpId ? up_state_ : down_state_; }

  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  void SetControlEnabled(int enabled) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

 protected:
  void OnTextChanged() override;

 private:
  void Step(int delta);
  void Show();
  void Pad();
  unsigned ArrowAt(Point p) const;
  void SetArrowStates(int up, int down);

  int value_ = 0;
  int minimum_ = 0;
  int maximum_ = 100;
  std::shared_ptr<Image> up_;
  std::shared_ptr<Image> down_;
  int up_state_ = 0;
  int down_state_ = 0;
  unsigned pressed_ = 0;
};

}  // namespace tumi
