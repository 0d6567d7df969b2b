#include "uilib/core/MControlFont.h"

#include <algorithm>

#include "uilib/core/ImageStrip.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

MControlFont::MControlFont(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                           int visible, int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response),
      title_(title),
      font_name_(Manager::GetFontName()),
      font_size_(Manager::GetFontWidth()) {}

int MControlFont::SetImage(const std::string& name, int frame_count) {
  if (!manager_) return 0;
  const ImgResInfo* info = manager_->AddImgResInfo(name, frame_count);
  if (!info) return 0;
  image_ = info;
  image_path_ = name;
  frame_count_ = std::max(frame_count, 1);
  frame_width_ = info->image->Width() / frame_count_;
  frame_height_ = info->height;
  if (visible_) UpdateControl(1, 0);
  return 1;
}

void MControlFont::SetTitle(const std::string& title) {
  SetControlTitle(title);
  if (visible_) UpdateControl(1, 0);
}

void MControlFont::SetAlignment(unsigned horizontal) {
  SetAlignment(horizontal, v_align_);
}

void MControlFont::SetVAlignment(unsigned vertical) {
  SetAlignment(h_align_, vertical);
}

void MControlFont::SetAlignment(unsigned horizontal, unsigned vertical) {
  bool changed = horizontal != h_align_ || vertical != v_align_;
  h_align_ = horizontal;
  v_align_ = vertical;
  if (changed && visible_) UpdateControl(1, 0);
}

std::string MControlFont::GetFontFamily() const {
  return manager_ ? manager_->FindTempFont(font_name_) : std::string();
}

FontSpec MControlFont::GetFontSpec() const {
  return FontSpec{Manager::GetFontName(), font_size_, font_style_};
}

TextFormat MControlFont::GetTextFormat() const {
  TextFormat f;
  f.h_align = h_align_ == 1 ? kAlignCenter : h_align_ == 2 ? kAlignRight : kAlignLeft;
  f.v_align = v_align_ == 4 || v_align_ == 1   ? kAlignVCenter
              : v_align_ == 8 || v_align_ == 2 ? kAlignBottom
                                               : kAlignTop;
  f.rendering_hint = rendering_hint_;
  return f;
}

void MControlFont::DrawTitle(cairo_t* cr, const Rect& box, Argb color) const {
  if (title_.empty()) return;
  MRender::DrawString(cr, title_, box, GetFontSpec(), GetTextFormat(), color);
}

void MControlFont::DrawFrame(cairo_t* cr, int frame, const Rect& box) const {
  if (!image_ || !image_->image) return;
  int count = std::max(frame_count_, 1);
  frame = std::clamp(frame, 0, count - 1);
  Rect source = Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_);
  MRender::DrawImage(cr, *image_->image, box, source);
}

}  // namespace tumi
