#pragma once
// The state of a scroll bar: a range 0 to maximum, a position in it, the
// visible page and the step of one wheel notch, plus the thumb that shows
// them. The range operations do nothing here; CScrollVertical and
// CScrollHorizontal compute the thumb along their own axis, and share the
// arithmetic below.
//
// A bar reports a move the user made (dragging the thumb or paging beside
// it) to its parent with kNotifyScrolled and the new position; programmatic
// changes never notify.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class MScroll : public MControlFont {
 public:
  MScroll(MObject* parent, unsigned id, const Rect& rect, int visible);

  const char* GetClassNameW() const override { return "MScroll"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  // A scroll bar has no children of its own.
  long OnMessage(unsigned, unsigned, std::uintptr_t, std::intptr_t) override { return 0; }
  void SetControlRect(const Rect& rect) override;

  // Moves the thumb by a number of pixels as the user would; returns the
  // delta applied after keeping the thumb inside the bar.
  virtual int MoveRange(int /*delta*/) { return 0; }
  // Recomputes page and thumb from maximum and position; returns the position.
  virtual int SetRange() { return 0; }
  // The same with the position read as a content offset in pixels.
  virtual int SetRangeEx() { return 0; }

  int SetScrollInfo(int maximum, int position, int page, int step);
  int SetScrollMaxRange(int maximum);
  int SetScrollSize(int page, int step);
  int SetScrollCurrentPos(int position);
  int SetScrollCurrentPosEx(int position);
  // The position becomes the maximum; the thumb follows at the next range
  // computation.
  int SetScrollFinalPos();
  // position + rows x step, kept in the range; 1 when the position changed.
  int ScrollRow(int rows);
  int IsChangeing() const { return changing_; }
  int GetScrollMaxRange() const { return maximum_; }
  int GetScrollCurrentPos() const { return position_; }
  int GetScrollPage() const { return page_; }
  int GetScrollStep() const { return step_; }
  int IsScrollable() const { return scrollable_; }
  // 0 normal, 1 pointer over the thumb, 2 dragging.
  int GetThumbState() const { return thumb_state_; }
  const Rect& GetThumbRect() const { return thumb_; }

 protected:
  enum class Axis { kVertical, kHorizontal };

  // The thumb's length for a bar of `length` pixels: its share of the bar,
  // at least 100 pixels where the bar leaves 50 beside that, never negative
  // and never longer than the bar.
  int ThumbLength(int length) const;
  int ComputeRange(Axis axis, bool content_offset);
  int ApplyMove(Axis axis, int delta);
  int HandleMouseMove(Axis axis, Point p);
  int HandleLButtonDown(Axis axis, Point p);
  int HandleLButtonUp(Axis axis, Point p);
  // Paints the bar from its render cache, rebuilding it when stale.
  void PaintBar(cairo_t* cr, Axis axis);
  // Draws frame `frame` of the picture along the target in three slices:
  // fixed caps at both ends, the middle stretched.
  void DrawRange(cairo_t* cr, Axis axis, const Rect& target, int frame) const;
  // Loads the picture for this bar: through the window's image cache for a
  // skin name, from the library for an id. 0 without a paint manager or when
  // the picture cannot be had.
  int LoadImage(const std::string& name);
  int LoadImage(unsigned id, const std::string& type);

  int thumb_state_ = 0;
  int inside_ = 0;
  int scrollable_ = 0;
  int maximum_ = 1000;
  int position_ = 0;
  int page_ = 0;
  int step_ = 10;
  Rect thumb_;
  int page_auto_ = 0;
  int changing_ = 0;
  // The pointer coordinate along the bar up to which a drag has been
  // applied; -1 when no drag is under way.
  int drag_anchor_ = -1;
  // Whether the picture is one of the library's own (the horizontal bar
  // reads its source width differently then).
  bool library_image_ = false;

 private:
  // A repaint of the bar alone: its picture is rebuilt, its neighbours keep
  // their caches.
  void RepaintBar();
};

}  // namespace tumi
