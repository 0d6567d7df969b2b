#include "uilib/controls/MText.h"

#include "uilib/controls/TextModel.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kIconGap = 5;
constexpr int kMarkGapBefore = 2;
constexpr int kMarkGapAfter = 4;
}  // namespace

MText::MText(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible)
    : MControlFont(parent, id, rect, title, visible, 0, 1) {}

void MText::Changed() {
  cache_valid_ = 0;
  if (visible_) UpdateControl(1, 0);
}

void MText::SetMarkText(const std::string& mark) {
  if (mark == mark_) return;
  mark_ = mark;
  Changed();
}

void MText::SetMarkText(const std::string& mark, Argb color, int start) {
  if (mark == mark_ && color == mark_color_ && start == mark_start_) return;
  mark_ = mark;
  mark_color_ = color;
  mark_start_ = start;
  Changed();
}

void MText::SetTitleMarkText(const std::string& title, const std::string& mark) {
  if (title == title_ && mark == mark_) return;
  title_ = title;
  mark_ = mark;
  Changed();
}

void MText::SetMarkText(const std::string& title, const std::string& mark, Argb color, int start) {
  if (title == title_ && mark == mark_ && color == mark_color_ && start == mark_start_) return;
  title_ = title;
  mark_ = mark;
  mark_color_ = color;
  mark_start_ = start;
  Changed();
}

void MText::EnableTextBack(int enable, Argb color) {
  if (enable == back_ && color == back_color_) return;
  back_ = enable;
  back_color_ = color;
  Changed();
}

TextFormat MText::Format() const {
  TextFormat format = GetTextFormat();
  format.rendering_hint = 5;
  if (multi_line_) {
    format.wrap = true;
    format.clip = false;
    if (v_center_) format.v_align = kAlignVCenter;
  } else {
    format.single_line = true;
  }
  return format;
}

void MText::DrawPart(cairo_t* cr, const std::string& text, const Rect& box, Argb color,
                     bool shadow_down) const {
  TextFormat format = Format();
  format.h_align = kAlignLeft;
  if (shadow_) {
    MRender::DrawString(cr, text, box.Offset(1, shadow_down ? 1 : 0), GetFontSpec(), format,
                        shadow_color_);
  }
  MRender::DrawString(cr, text, box, GetFontSpec(), format, color);
}

void MText::Render(cairo_t* cr, const Rect& box) const {
  if (back_) MRender::FillSolidRect(cr, box, ColorRefFromArgb(back_color_));
  int left = box.left;
  if (image_ && image_->image) {
    int height = frame_height_;
    Rect icon =
        Rect::FromSize(box.left, box.top + (box.Height() - height) / 2, frame_width_, height);
    MRender::DrawImage(cr, *image_->image, icon, Rect::FromSize(0, 0, frame_width_, height));
    left += frame_width_ + kIconGap;
  }
  std::size_t at = std::string::npos;
  if (!mark_.empty()) {
    TextModel probe;
    probe.SetText(title_);
    at = title_.find(mark_, probe.ByteOffset(mark_start_ < 0 ? 0 : mark_start_));
  }
  if (at == std::string::npos) {
    Rect whole{left, box.top, box.right, box.bottom};
    TextFormat format = Format();
    if (shadow_) {
      MRender::DrawString(cr, title_, whole.Offset(1, 0), GetFontSpec(), format, shadow_color_);
    }
    MRender::DrawString(cr, title_, whole, GetFontSpec(), format, text_color_);
    return;
  }
  std::string before = title_.substr(0, at);
  std::string after = title_.substr(at + mark_.size());
  TextFormat measure = Format();
  int before_width = before.empty() ? 0 : MRender::GetTextBounds(GetFontSpec(), before, measure).cx;
  int mark_width = MRender::GetTextBounds(GetFontSpec(), mark_, measure).cx;
  DrawPart(cr, before, Rect{left, box.top, box.right, box.bottom}, text_color_, true);
  DrawPart(cr, mark_, Rect{left + before_width + kMarkGapBefore, box.top, box.right, box.bottom},
           mark_color_, true);
  DrawPart(cr, after,
           Rect{left + before_width + mark_width + kMarkGapAfter, box.top, box.right, box.bottom},
           text_color_, true);
}

void MText::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    Render(g, Rect{0, 0, w, h});
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
