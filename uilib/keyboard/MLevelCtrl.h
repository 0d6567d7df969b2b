#pragma once
// A row of segments of which the first ones are lit up to the level, with a
// caption below ("<title><level>", and "%" when the maximum is 100). A click
// on a segment sets the level (code 2, wparam the new level).
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class MLevelCtrl : public MControlFont {
 public:
  MLevelCtrl(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible,
             int enabled);

  const char* GetClassNameW() const override { return "MLevelCtrl"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;

  // Clamped into the range; repaints when the level changed.
  void SetLevelValue(int value);
  int GetLevelValue() const { return level_; }
  // An empty range (maximum below minimum) is refused; the level is clamped
  // into the new range (repainting only when that moved it).
  bool SetRangeValue(int minimum, int maximum);
  int GetMinimum() const { return minimum_; }
  int GetMaximum() const { return maximum_; }
  void SetSegmentHeight(int height) { segment_height_ = height; }
  void ShowCaption(int show) { show_caption_ = show; }

  // The segment count and the rectangle of segment k (k = 0 for the minimum),
  // in control coordinates; empty for a segment that has no width.
  long long SegmentCount() const;
  Rect SegmentRect(long long k) const;

  static constexpr int kSegmentGap = 5;
  static constexpr Argb kSegmentColor = 0xFEA0A0A0;
  static constexpr Argb kLitColor = 0xFEFFE100;

 private:
  int SegmentWidth() const;
  std::string Caption() const;

  int level_ = 0;
  int minimum_ = 0;
  int maximum_ = 15;
  int segment_height_ = 12;
  int show_caption_ = 1;
};

}  // namespace tumi
