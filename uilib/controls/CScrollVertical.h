#pragma once
// A vertical scroll bar: the thumb runs down the bar, the picture is four
// columns side by side (the track, the hovered thumb, the thumb, the track).
#include <string>

#include "uilib/controls/MScroll.h"

namespace tumi {

class CScrollVertical : public MScroll {
 public:
  CScrollVertical(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "CScrollVertical"; }
  // The window's scroll picture: the library's own unless the window asked
  // for the skin's.
  void InitControl(PaintManager* manager) override;
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  // The frame count is given by the bar's own layout; the argument is ignored.
  int SetImage(const std::string& name, int frame_count) override;
  int SetImage(unsigned id, const std::string& type, int frame_count);
  int MoveRange(int delta) override;
  int SetRange() override;
  int SetRangeEx() override;

 private:
  void SetFrameSize();
};

}  // namespace tumi
