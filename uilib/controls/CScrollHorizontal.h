#pragma once
// A horizontal scroll bar: a hairline track across its middle and a thumb
// drawn from rows 1 to 3 of its picture (normal, hovered, dragged).
#include <string>

#include "uilib/controls/MScroll.h"

namespace tumi {

class CScrollHorizontal : public MScroll {
 public:
  CScrollHorizontal(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "CScrollHorizontal"; }
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

 private:
  void SetFrameSize();
};

}  // namespace tumi
