#pragma once
// A horizontal slider: a track (a two-row image: the filled part above the
// empty track) and a thumb. Dragging reports 8 with the value at every
// change and 2 at the release; the wheel steps by one and reports 2.
#include <string>

#include "uilib/core/MControlFont.h"

namespace tumi {

class MSlider : public MControlFont {
 public:
  MSlider(MObject* parent, unsigned id, const Rect& rect, int visible = 1, int enabled = 1);

  const char* GetClassNameW() const override { return "MSlider"; }
  void DrawControl(cairo_t* cr, const Rect& clip) override;
  void SetControlRect(const Rect& rect) override;
  int OnControlMouseMove(unsigned flags, Point p) override;
  int OnControlLButtonDown(unsigned flags, Point p) override;
  int OnControlLButtonUp(unsigned flags, Point p) override;
  int OnControlScroll(int kind, int direction, Point p) override;

  // The track: row 0 the filled part, row 1 the empty track.
  int SetImage(const std::string& name, int frame_count) override;
  // A strip of four frames: 0 normal, 1 hovered or dragged. 1 when loaded.
  int SetThumbImage(const std::string& name);
  // Above the maximum gives the maximum; below the minimum changes nothing.
  // No notification. Returns the progress.
  int SetProgress(int value);
  int GetProgress() const { return progress_; }
  void SetMinProgress(int minimum);
  void SetMaxProgress(int maximum);
  int GetMinProgress() const { return min_; }
  int GetMaxProgress() const { return max_; }
  void SetShowText(int show);
  void SetScale(int scale) { scale_ = scale; }
  int GetScale() const { return scale_; }
  // Moves the thumb to a point: the value under it, reported with 8 when it
  // changed. Returns the value.
  int MoveThumbPos(Point p);
  const Rect& GetThumbRect() const { return thumb_rect_; }
  int GetSliderState() const { return state_; }

 private:
  int TrackLength() const { return rect_.Width() - thumb_size_.cx; }
  void PlaceThumb();
  void SetSliderState(int state);

  int state_ = 0;  // 0 normal, 1 pointer on the thumb, 2 dragging
  int progress_ = 0;
  int min_ = 0;
  int max_ = 10;
  const ImgResInfo* thumb_ = nullptr;
  int thumb_frame_width_ = 0;
  int thumb_frame_height_ = 0;
  Size thumb_size_{36, 36};
  Rect thumb_rect_;
  int show_text_ = 1;
  int scale_ = 0;
};

}  // namespace tumi
