#include "uilib/controls/MSlider.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {
// Where the track sits in the control.
constexpr int kTrackLeft = 12;
constexpr int kFilledLeft = 10;
constexpr int kTrackTop = 15;
constexpr int kTrackShorter = 20;
constexpr int kTextHeight = 20;
constexpr int kThumbFrames = 4;
}  // namespace

MSlider::MSlider(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  text_color_ = 0xFF050505;
  h_align_ = kAlignCenter;
  PlaceThumb();
}

void MSlider::PlaceThumb() {
  int track = TrackLength();
  int offset = 0;
  // An empty range or a slider no wider than its thumb keeps the thumb at
  // the left edge.
  if (track > 0 && max_ > min_) {
    offset = static_cast<int>(static_cast<int64_t>(track) * (progress_ - min_) / (max_ - min_));
    offset = std::clamp(offset, 0, track);
  }
  thumb_rect_ = Rect::FromSize(rect_.left + offset, rect_.top, thumb_size_.cx, thumb_size_.cy);
}

void MSlider::SetControlRect(const Rect& rect) {
  rect_ = rect;
  if (thumb_size_.cx == 0 && thumb_) thumb_size_ = {thumb_frame_width_, thumb_frame_height_};
  PlaceThumb();
}

int MSlider::SetImage(const std::string& name, int frame_count) {
  if (!manager_) return 0;
  const ImgResInfo* info = manager_->AddImgResInfo(name, frame_count);
  if (!info) return 0;
  image_ = info;
  image_path_ = name;
  SetImageCount(frame_count);
  frame_width_ = info->image->Width();
  frame_height_ = info->image->Height() / 2;
  UpdateControl(1, 0);
  return 1;
}

int MSlider::SetThumbImage(const std::string& name) {
  if (!manager_) return 0;
  const ImgResInfo* info = manager_->AddImgResInfo(name, kThumbFrames);
  if (!info) return 0;
  thumb_ = info;
  thumb_frame_width_ = info->image->Width() / kThumbFrames;
  thumb_frame_height_ = info->image->Height();
  thumb_size_ = {thumb_frame_width_, thumb_frame_height_};
  PlaceThumb();
  UpdateControl(1, 0);
  return 1;
}

int MSlider::SetProgress(int value) {
  value = std::min(value, max_);
  if (value < min_ || value == progress_) return progress_;
  progress_ = value;
  PlaceThumb();
  UpdateControl(1, 0);
  return progress_;
}

void MSlider::SetMinProgress(int minimum) {
  min_ = minimum;
  PlaceThumb();
  UpdateControl(1, 0);
}

void MSlider::SetMaxProgress(int maximum) {
  max_ = maximum;
  PlaceThumb();
  UpdateControl(1, 0);
}

void MSlider::SetShowText(int show) {
  show_text_ = show;
  UpdateControl(1, 0);
}

int MSlider::MoveThumbPos(Point p) {
  int track = TrackLength();
  // No room to move the thumb: the value stays.
  if (track <= 0) return progress_;
  int64_t span = static_cast<int64_t>(max_) - min_ + 1;
  int64_t value = (static_cast<int64_t>(p.x) - rect_.left) * span / track + min_;
  int clamped = static_cast<int>(std::clamp<int64_t>(value, min_, std::max(min_, max_)));
  if (clamped == progress_) return clamped;
  progress_ = clamped;
  PlaceThumb();
  UpdateControl(1, 0);
  SendMessageW(kNotifyScrolled, static_cast<std::uintptr_t>(progress_));
  return clamped;
}

void MSlider::SetSliderState(int state) {
  if (state == state_ && cache_valid_) return;
  state_ = state;
  // One picture for every state: the thumb frame is part of it.
  SetUpdate(0, 0);
  UpdateControl(0, 0);
}

int MSlider::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  if (state_ == 2) {
    MoveThumbPos(p);
    return 1;
  }
  if (pressed_inside_) return 0;
  int before = state_;
  SetSliderState(thumb_rect_.Contains(p) ? 1 : 0);
  return state_ != before ? 1 : 0;
}

int MSlider::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  if (thumb_rect_.Contains(p)) {
    state_ = 2;
    MoveThumbPos(p);
  } else {
    MoveThumbPos(p);
    if (thumb_rect_.Contains(p)) state_ = 2;
  }
  SetUpdate(0, 0);
  UpdateControl(0, 0);
  return 1;
}

int MSlider::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  SetSliderState(thumb_rect_.Contains(p) ? 1 : 0);
  SendMessageW(kNotifyActivated);
  return 1;
}

int MSlider::OnControlScroll(int /*kind*/, int direction, Point /*p*/) {
  if (!enabled_) return 0;
  int value = std::clamp(progress_ + (direction == 1 ? -1 : 1), min_, std::max(min_, max_));
  if (value != progress_) {
    SetProgress(value);
    SendMessageW(kNotifyActivated);
  }
  return 1;
}

void MSlider::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    if (image_ && image_->image) {
      const Image& track = *image_->image;
      MRender::DrawImage(g, track,
                         Rect::FromSize(kTrackLeft, kTrackTop, w - kTrackShorter, frame_height_),
                         Rect::FromSize(0, frame_height_, frame_width_, frame_height_));
      int offset = thumb_rect_.left - rect_.left;
      if (thumb_ && min_ < max_) {
        int filled = std::min(offset + kFilledLeft, frame_width_);
        if (filled > 0) {
          MRender::DrawImage(g, track,
                             Rect::FromSize(kFilledLeft, kTrackTop, filled, frame_height_),
                             Rect::FromSize(0, 0, filled, frame_height_));
        }
      }
    }
    if (thumb_ && thumb_->image) {
      int offset = thumb_rect_.left - rect_.left;
      int frame = state_ != 0 ? 1 : 0;
      MRender::DrawImage(
          g, *thumb_->image, Rect::FromSize(offset, 0, thumb_frame_width_, thumb_frame_height_),
          Rect::FromSize(frame * thumb_frame_width_, 0, thumb_frame_width_, thumb_frame_height_));
    }
    if (show_text_) {
      TextFormat format = GetTextFormat();
      format.h_align = kAlignCenter;
      format.v_align = kAlignVCenter;
      format.single_line = true;
      MRender::DrawString(g, title_ + std::to_string(progress_),
                          Rect::FromSize(0, h - kTextHeight, w, kTextHeight), GetFontSpec(), format,
                          text_color_);
    }
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
