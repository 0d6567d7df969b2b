#include "uilib/controls/MScroll.h"

#include <algorithm>
#include <cstdint>

#include "uilib/controls/ScrollImages.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {

// Caps at both ends of a bar picture keep their size; the middle stretches.
constexpr int kCap = 6;
// The horizontal bar's track: a hairline across its middle.
constexpr Argb kTrackLine = MakeArgb(200, 20, 20, 20);

int Low(const Rect& r, bool vertical) {
  return vertical ? r.top : r.left;
}
int High(const Rect& r, bool vertical) {
  return vertical ? r.bottom : r.right;
}
int Along(Point p, bool vertical) {
  return vertical ? p.y : p.x;
}
Rect WithSpan(const Rect& bar, bool vertical, int start, int end) {
  return vertical ? Rect{bar.left, start, bar.right, end} : Rect{start, bar.top, end, bar.bottom};
}

}  // namespace

MScroll::MScroll(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MControlFont(parent, id, rect, "", visible, 1, 1) {}

void MScroll::DrawControl(cairo_t* /*cr*/, const Rect& /*clip*/) {}

void MScroll::SetControlRect(const Rect& rect) {
  rect_ = rect;
  SetRange();
}

int MScroll::SetScrollInfo(int maximum, int position, int page, int step) {
  maximum_ = maximum;
  position_ = position;
  if (page != 0) {
    page_ = page;
    page_auto_ = 0;
  }
  if (step != 0) step_ = step;
  SetRange();
  return 1;
}

int MScroll::SetScrollMaxRange(int maximum) {
  maximum_ = maximum;
  if (page_auto_) page_ = 0;
  SetRange();
  return 1;
}

int MScroll::SetScrollSize(int page, int step) {
  page_ = page;
  if (page != 0) page_auto_ = 0;
  if (step != 0) step_ = step;
  SetRange();
  return 1;
}

int MScroll::SetScrollCurrentPos(int position) {
  position_ = position;
  SetRange();
  return 1;
}

int MScroll::SetScrollCurrentPosEx(int position) {
  position_ = position;
  SetRangeEx();
  return 1;
}

int MScroll::SetScrollFinalPos() {
  position_ = maximum_;
  return 1;
}

int MScroll::ScrollRow(int rows) {
  int before = position_;
  std::int64_t moved =
      static_cast<std::int64_t>(position_) + static_cast<std::int64_t>(rows) * step_;
  position_ = static_cast<int>(std::clamp<std::int64_t>(moved, 0, std::max(maximum_, 0)));
  SetRange();
  return position_ != before ? 1 : 0;
}

int MScroll::ThumbLength(int length) const {
  if (maximum_ <= 0 || length <= 0) return 0;
  double share = static_cast<double>(page_) / maximum_ * length;
  int thumb = share <= 0 ? 0 : share >= length ? length : static_cast<int>(share);
  if (thumb < 100) {
    if (length - 50 > 100) {
      thumb = 100;
    } else if (length - 50 > 0) {
      thumb = length - 50;
    } else {
      // A bar of 50 pixels or less has no room for the 50-pixel margin: the
      // thumb takes half of it, or its own share when that is more.
      thumb = std::max(thumb, length / 2);
    }
  }
  return std::min(thumb, length);
}

int MScroll::ComputeRange(Axis axis, bool content_offset) {
  bool vertical = axis == Axis::kVertical;
  int low = Low(rect_, vertical);
  int high = High(rect_, vertical);
  int length = high - low;
  if (page_ == 0) {
    page_ = length;
    if (static_cast<std::int64_t>(length) * 10 < maximum_) page_ = maximum_ / 10;
    page_auto_ = 1;
  }
  position_ = std::clamp(position_, 0, std::max(maximum_, 0));
  if (maximum_ <= 0) {
    // Nothing to scroll: no thumb, and the mouse is left alone.
    thumb_ = Rect{};
    scrollable_ = 0;
    return position_;
  }
  int thumb = ThumbLength(length);
  int room = length - thumb;
  double share = 0;
  if (content_offset) {
    int span = maximum_ - length;
    share = span > 0 ? static_cast<double>(position_) / span : 0;
  } else {
    share = static_cast<double>(position_) / maximum_;
  }
  double start =
      std::clamp(low + share * room, static_cast<double>(low), static_cast<double>(high));
  // The thumb always ends inside the bar.
  int top = std::min(static_cast<int>(start), high - thumb);
  thumb_ = WithSpan(rect_, vertical, top, top + thumb);
  scrollable_ = page_ < maximum_ ? 1 : 0;
  return position_;
}

int MScroll::ApplyMove(Axis axis, int delta) {
  if (delta == 0 || !scrollable_) return 0;
  bool vertical = axis == Axis::kVertical;
  int low = Low(rect_, vertical);
  int high = High(rect_, vertical);
  int start = Low(thumb_, vertical);
  int end = High(thumb_, vertical);
  if (start < low || end > high) return 0;  // a thumb left from an older rectangle
  // Kept so the thumb stays inside the bar (in 64 bits: any delta is taken).
  delta = static_cast<int>(std::clamp<std::int64_t>(delta, low - start, high - end));
  if (delta == 0) return 0;
  start += delta;
  thumb_ = WithSpan(rect_, vertical, start, end + delta);
  int room = (high - low) - ThumbLength(high - low);
  position_ =
      room > 0 ? static_cast<int>(static_cast<std::int64_t>(start - low) * maximum_ / room) : 0;
  changing_ = 1;
  if (visible_) UpdateControl(1, 0);
  SendMessageW(kNotifyScrolled, static_cast<std::uintptr_t>(position_));
  changing_ = 0;
  return delta;
}

int MScroll::HandleMouseMove(Axis axis, Point p) {
  if (!scrollable_) return 0;
  bool vertical = axis == Axis::kVertical;
  int was_state = thumb_state_;
  int was_inside = inside_;
  if (enabled_) {
    if (thumb_state_ == 2) {
      drag_anchor_ += MoveRange(Along(p, vertical) - drag_anchor_);
      return 1;
    }
    // While a button is held inside the bar, the look stays as it was pressed.
    if (!pressed_inside_) {
      inside_ = rect_.Contains(p) ? 1 : 0;
      thumb_state_ = inside_ && thumb_.Contains(p) ? 1 : 0;
    }
  }
  if (thumb_state_ == was_state && inside_ == was_inside && cache_valid_) return 0;
  RepaintBar();
  return 1;
}

int MScroll::HandleLButtonDown(Axis axis, Point p) {
  if (!scrollable_) return 0;
  bool vertical = axis == Axis::kVertical;
  int was_state = thumb_state_;
  if (enabled_) {
    if (!thumb_.Contains(p)) {
      // One page towards the point.
      int length = High(rect_, vertical) - Low(rect_, vertical);
      auto page = static_cast<int>(static_cast<std::int64_t>(length) * page_ / maximum_);
      return MoveRange(Along(p, vertical) < Low(thumb_, vertical) ? -page : page);
    }
    thumb_state_ = 2;
    drag_anchor_ = Along(p, vertical);
  }
  if (thumb_state_ == was_state) return 0;
  RepaintBar();
  return 1;
}

int MScroll::HandleLButtonUp(Axis /*axis*/, Point p) {
  if (!scrollable_) return 0;
  int was_state = thumb_state_;
  if (enabled_) {
    drag_anchor_ = -1;
    thumb_state_ = thumb_.Contains(p) ? 1 : 0;
  }
  if (thumb_state_ == was_state) return 0;
  RepaintBar();
  return 1;
}

void MScroll::RepaintBar() {
  // The thumb's look is part of the bar's one picture: rebuild it, but ask
  // the parent with redraw 0 so the neighbours keep their caches.
  cache_valid_ = 0;
  if (visible_) UpdateControl(0, 0);
}

void MScroll::PaintBar(cairo_t* cr, Axis axis) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    if (scrollable_ && image_ && image_->image) {
      Graphics g(*cache);
      Rect thumb = thumb_.Offset(-rect_.left, -rect_.top);
      if (axis == Axis::kVertical) {
        DrawRange(g, axis, Rect{0, 0, w, h}, 0);
        DrawRange(g, axis, thumb, thumb_state_ == 1 ? 1 : 2);
      } else {
        MRender::DrawColor(g, Rect{0, h / 2, w, h / 2 + 1}, kTrackLine);
        DrawRange(g, axis, thumb, 1 + std::clamp(thumb_state_, 0, 2));
      }
    }
  }
  PaintSlot(cr, 0);
}

void MScroll::DrawRange(cairo_t* cr, Axis axis, const Rect& target, int frame) const {
  if (!image_ || !image_->image || target.IsEmpty()) return;
  const Image& image = *image_->image;
  if (axis == Axis::kVertical) {
    // Four columns side by side, each the whole height of the picture.
    int column = image.Width() / 4;
    int height = image.Height();
    if (column <= 0 || height <= 0) return;
    int x = frame * column;
    if (height <= 2 * kCap) {
      MRender::DrawImage(cr, image, target, Rect::FromSize(x, 0, column, height));
      return;
    }
    int middle = target.Height() - 2 * kCap;
    MRender::DrawImage(cr, image, Rect::FromSize(target.left, target.top, target.Width(), kCap),
                       Rect::FromSize(x, 0, column, kCap));
    if (middle > 0) {
      MRender::DrawImage(cr, image,
                         Rect::FromSize(target.left, target.top + kCap, target.Width(), middle),
                         Rect::FromSize(x, kCap, column, height - 2 * kCap));
    }
    MRender::DrawImage(cr, image,
                       Rect::FromSize(target.left, target.bottom - kCap, target.Width(), kCap),
                       Rect::FromSize(x, height - kCap, column, kCap));
    return;
  }
  // Four rows one under the other; a skin picture holds three frames side
  // by side in each row, of which the first is used.
  int row = image.Height() / 4;
  int width = library_image_ ? image.Width() : image.Width() / 3;
  if (row <= 0 || width <= 0) return;
  int y = frame * row;
  if (width <= 2 * kCap) {
    MRender::DrawImage(cr, image, target, Rect::FromSize(0, y, width, row));
    return;
  }
  int middle = target.Width() - 2 * kCap;
  MRender::DrawImage(cr, image, Rect::FromSize(target.left, target.top, kCap, target.Height()),
                     Rect::FromSize(0, y, kCap, row));
  if (middle > 0) {
    MRender::DrawImage(cr, image,
                       Rect::FromSize(target.left + kCap, target.top, middle, target.Height()),
                       Rect::FromSize(kCap, y, width - 2 * kCap, row));
  }
  MRender::DrawImage(cr, image,
                     Rect::FromSize(target.right - kCap, target.top, kCap, target.Height()),
                     Rect::FromSize(width - kCap, y, kCap, row));
}

int MScroll::LoadImage(const std::string& name) {
  if (!manager_) return 0;
  const ImgResInfo* info = manager_->AddImgResInfo(name, 1);
  if (!info || !info->image) return 0;
  image_ = info;
  image_path_ = name;
  library_image_ = false;
  if (visible_) UpdateControl(1, 0);
  return 1;
}

int MScroll::LoadImage(unsigned id, const std::string& type) {
  if (!manager_) return 0;
  const ImgResInfo* info = ScrollImages::Find(id, type);
  if (!info) return 0;
  image_ = info;
  image_path_.clear();
  library_image_ = true;
  if (visible_) UpdateControl(1, 0);
  return 1;
}

}  // namespace tumi
