#include "uilib/controls/MProgress.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kMargin = 12;      // nine-patch margins of the two images
constexpr int kStripCorner = 2;  // corner of the strip frames
constexpr int kStripBarHeight = 14;
constexpr int kTicksPerStep = 3;
constexpr int kTextWidth = 60;
constexpr int kTextHeight = 20;
}  // namespace

MProgress::MProgress(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  frame_count_ = 2;
  text_color_ = 0xFF808080;
  h_align_ = kAlignCenter;
  run_timer_ = 1;
}

void MProgress::InitControl(PaintManager* /*manager*/) {
  AddMTimer();
}

int MProgress::SetProgress(int value) {
  if (!enabled_) return progress_;
  value = std::min(value, max_);
  if (value < 0 || value == progress_) return progress_;
  progress_ = value;
  UpdateControl(1, 0);
  return progress_;
}

void MProgress::SetMaxProgress(int maximum) {
  max_ = maximum;
  UpdateControl(1, 0);
}

int MProgress::SetRun(int run, int value) {
  if (!enabled_) return running_;
  bool changed = (run != 0) != (running_ != 0);
  running_ = run ? 1 : 0;
  if (value >= 0 && value <= max_ && value != progress_) {
    progress_ = value;
    changed = true;
  }
  if (changed) UpdateControl(1, 0);
  return running_;
}

void MProgress::EnableShowText(int show) {
  show_text_ = show;
  UpdateControl(1, 0);
}

int MProgress::SetBackGroundImage(const std::string& name) {
  bool loaded = background_.Load(name, 1);
  UpdateControl(1, 0);
  return loaded ? 1 : 0;
}

int MProgress::SetForeGroundImage(const std::string& name) {
  bool loaded = foreground_.Load(name, 1);
  UpdateControl(1, 0);
  return loaded ? 1 : 0;
}

int MProgress::OnControlTimer() {
  if (!running_ || !visible_) return 0;
  if (++ticks_ < kTicksPerStep) return 0;
  ticks_ = 0;
  int next = progress_ + 1;
  progress_ = next >= max_ ? 0 : next;
  UpdateControl(1, 0);
  return 1;
}

int MProgress::FilledWidth(int width) const {
  // An empty or negative range shows nothing filled.
  if (max_ <= 0) return 0;
  int64_t filled = static_cast<int64_t>(width) * std::clamp(progress_.load(), 0, max_) / max_;
  return static_cast<int>(filled);
}

void MProgress::DrawBar(cairo_t* cr, int w, int h) {
  int filled = FilledWidth(w);
  if (!foreground_.Empty()) {
    if (!background_.Empty()) {
      MRender::DrawImageFrameMID(cr, *background_.Get(), Rect::FromSize(0, 0, w, h),
                                 background_.Frame(0), {kMargin, 0, kMargin, 0});
    }
    if (filled <= 0) return;
    Rect bar = Rect::FromSize(0, 0, filled, h);
    if (filled < kMargin) {
      // Too short for the rounded ends: the left part of the picture.
      MRender::DrawImage(cr, *foreground_.Get(), bar,
                         Rect::FromSize(0, 0, filled, foreground_.FrameHeight()));
    } else {
      MRender::DrawImageFrameMID(cr, *foreground_.Get(), bar, foreground_.Frame(0),
                                 {kMargin, 0, kMargin, 0});
    }
    return;
  }
  if (image_ && image_->image) {
    Rect frame0 = Rect::FromSize(0, 0, frame_width_, frame_height_);
    Rect frame1 = Rect::FromSize(frame_width_, 0, frame_width_, frame_height_);
    MRender::DrawImageFrame(cr, *image_->image, Rect::FromSize(0, 0, w, h), frame0, kStripCorner);
    if (filled > 0) {
      MRender::DrawImageFrame(cr, *image_->image, Rect::FromSize(0, 0, filled, kStripBarHeight),
                              frame1, kStripCorner);
    }
    return;
  }
  cairo_save(cr);
  cairo_set_source_rgba(cr, RedOf(line_color_) / 255.0, GreenOf(line_color_) / 255.0,
                        BlueOf(line_color_) / 255.0, AlphaOf(line_color_) / 255.0);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 1, h - 2 + 0.5);
  cairo_line_to(cr, w, h - 2 + 0.5);
  cairo_stroke(cr);
  cairo_restore(cr);
  if (filled > 0) MRender::DrawColor(cr, Rect::FromSize(0, h - 3, filled, 3), bar_color_);
}

void MProgress::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    DrawBar(g, w, h);
    if (show_text_) {
      std::string text = title_ + std::to_string(progress_.load()) + (max_ == 100 ? "%" : "");
      TextFormat format = GetTextFormat();
      format.h_align = kAlignCenter;
      format.v_align = kAlignVCenter;
      format.single_line = true;
      MRender::DrawString(g, text, Rect::FromSize((w - kTextWidth) / 2, 0, kTextWidth, kTextHeight),
                          GetFontSpec(), format, text_color_);
    }
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
