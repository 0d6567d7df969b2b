#pragma once
// A colour wheel with a small round thumb: pressing or dragging within 65
// pixels of the centre moves the thumb there and picks the wheel's colour
// under it, reported with 27 and the colour (a colour reference) as lparam.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class CirclePalette : public MControlFont {
 public:
  CirclePalette(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "CirclePalette"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;

  // The wheel picture; 1 when it loaded.
  int SetImage(const std::string& name, int frame_count) override;
  int SetImage(const std::string& name) { return SetImage(name, 1); }
  // Moves the thumb to the point unless it is farther than the reach from the
  // centre; 1 when the thumb moved.
  int MoveThumbPos(Point p);
  // The whole-pixel distance of a point from the centre.
  int GetDistanse(Point p) const;
  ColorRef GetSelectColor() const { return color_; }
  const Rect& GetThumbRect() const { return thumb_; }

 private:
  static constexpr int kReach = 65;
  static constexpr int kThumbSize = 10;

  Point Centre() const;
  Rect ThumbAt(Point p) const;
  // The colour the wheel shows at a window point.
  ColorRef WheelColorAt(Point p) const;

  Rect thumb_;
  ColorRef color_ = 0;
};

}  // namespace tumi
