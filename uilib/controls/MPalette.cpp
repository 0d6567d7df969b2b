#include "uilib/controls/MPalette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "uilib/controls/Hsl.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kBitmapWidth = 400;
constexpr int kBitmapHeight = 360;
constexpr int kRows = 200;     // lightness or saturation in half percents
constexpr int kFirstRow = 20;  // the darkest lightness shown
constexpr int kBarColumn = 370;
constexpr int kPlaneGap = 22;     // between the plane and the right edge, past the bar
constexpr int kBarRightGap = 16;  // room for the bar's pointer
constexpr double kThumbRadius = 4;
constexpr Argb kThumbLight = 0xFEFFFFFF;
constexpr Argb kThumbShade = 0xFE808080;
constexpr Argb kDisabledVeil = 0x0A808080;

uint32_t PixelOf(ColorRef color) {
  // Pure black is kept apart from the transparent black of an empty pixel.
  color = MRender::CheckAlphaColor(color);
  return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

void SetSource(cairo_t* cr, Argb c) {
  cairo_set_source_rgba(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0,
                        AlphaOf(c) / 255.0);
}

}  // namespace

MPalette::MPalette(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  Layout();
  thumb_ = {plane_.left + plane_.Width() * hue_ / 360,
            plane_.top + (lightness_ - kFirstRow) * palette_height_ / 180};
  last_ = GetSelectColor();
}

void MPalette::Layout() {
  plane_ = {rect_.left, rect_.top, rect_.right - kBarWidth - kPlaneGap,
            rect_.top + palette_height_};
  bar_ = {rect_.right - kBarWidth - kBarRightGap, rect_.top, rect_.right,
          rect_.top + palette_height_};
}

void MPalette::SetControlRect(const Rect& rect) {
  Point moved{thumb_.x - rect_.left, thumb_.y - rect_.top};
  rect_ = rect;
  Layout();
  thumb_ = {rect_.left + moved.x, rect_.top + moved.y};
}

void MPalette::SetPalletHeight(int height) {
  palette_height_ = std::max(height, 1);
  Layout();
  SetSelectColor(last_);
}

void MPalette::InitControl(PaintManager* /*manager*/) {
  BuildPlane();
  BuildBar();
}

void MPalette::BuildPlane() {
  if (!bitmap_) bitmap_ = MRender::CreateARGB32Bitmap(kBitmapWidth, kBitmapHeight);
  if (!bitmap_) return;
  cairo_surface_t* s = bitmap_->Surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < kRows; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < 360; ++x) {
      row[x] = PixelOf(HslColor::ToColorRef({x / 360.0, 1.0, y / 200.0}));
    }
  }
  cairo_surface_mark_dirty(s);
}

void MPalette::BuildBar() {
  if (!bitmap_) return;
  cairo_surface_t* s = bitmap_->Surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < kRows; ++y) {
    uint32_t pixel = PixelOf(HslColor::ToColorRef({hue_ / 360.0, y / 200.0, lightness_ / 200.0}));
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    std::fill(row + kBarColumn, row + kBarColumn + kBarWidth, pixel);
  }
  cairo_surface_mark_dirty(s);
}

ColorRef MPalette::GetSelectColor() const {
  return HslColor::ToColorRef({hue_ / 360.0, saturation_ / 200.0, lightness_ / 200.0});
}

void MPalette::SetSelectColor(ColorRef color) {
  Hsl hsl = HslColor::FromColorRef(color);
  hue_ = std::clamp(static_cast<int>(std::lround(hsl.h * 360)), 0, 360);
  saturation_ = std::clamp(static_cast<int>(std::lround(hsl.s * 200)), 0, 200);
  lightness_ = std::clamp(static_cast<int>(std::lround(hsl.l * 200)), 0, 200);
  thumb_.x = plane_.left + plane_.Width() * hue_ / 360;
  thumb_.y = std::max(plane_.top + (lightness_ - kFirstRow) * palette_height_ / 180, plane_.top);
  BuildBar();
  last_ = color;
  UpdateControl(1, 0);
}

int MPalette::SetThumbImage(const std::string& name) {
  bool loaded = bar_thumb_.Load(name, 1);
  UpdateControl(0, 0);
  return loaded ? 1 : 0;
}

void MPalette::PickInPlane(Point p) {
  int width = std::max(plane_.Width(), 1);
  hue_ = std::clamp((p.x - plane_.left) * 360 / width, 0, 360);
  lightness_ = std::clamp((p.y - plane_.top) * 180 / palette_height_ + kFirstRow, kFirstRow, 200);
  thumb_ = {std::clamp(p.x, plane_.left, plane_.right),
            std::clamp(p.y, plane_.top, plane_.bottom - 1)};
  BuildBar();
}

void MPalette::PickInBar(Point p) {
  int saturation = (p.y - bar_.top) * 200 / palette_height_;
  saturation_ = saturation < 1 ? 0 : saturation > 199 ? 200 : saturation;
}

void MPalette::ReportIfChanged() {
  ColorRef color = GetSelectColor();
  if (color == last_) return;
  last_ = color;
  SendMessageW(kNotifyColorPicked, color);
}

int MPalette::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  if (InPlaneColumns(p)) {
    PickInPlane(p);
    dragging_plane_ = true;
  } else if (InBarColumns(p)) {
    PickInBar(p);
    dragging_bar_ = true;
  } else {
    return 1;
  }
  ReportIfChanged();
  UpdateControl(1, 0);
  return 1;
}

int MPalette::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || !pressed_inside_) return 0;
  if (dragging_plane_ && plane_.Contains(p)) {
    PickInPlane(p);
  } else if (dragging_bar_) {
    PickInBar(p);
  } else {
    return 0;
  }
  ReportIfChanged();
  UpdateControl(1, 0);
  return 1;
}

int MPalette::OnControlLButtonUp(unsigned /*flags*/, Point /*p*/) {
  if (!enabled_) return 0;
  dragging_plane_ = false;
  dragging_bar_ = false;
  UpdateControl(0, 0);
  return 1;
}

int MPalette::OnControlScroll(int /*kind*/, int /*direction*/, Point /*p*/) {
  return 1;
}

void MPalette::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!bitmap_) {
    BuildPlane();
    BuildBar();
  }
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    if (bitmap_) {
      MRender::DrawImage(g, *bitmap_, plane_.Offset(-rect_.left, -rect_.top),
                         Rect{0, kFirstRow, 360, kRows});
      Rect bar{bar_.left - rect_.left, 0, bar_.left - rect_.left + kBarWidth, palette_height_};
      MRender::DrawImage(g, *bitmap_, bar, Rect{kBarColumn, 0, kBarColumn + kBarWidth, kRows});
    }
    double tx = thumb_.x - rect_.left;
    double ty = thumb_.y - rect_.top;
    cairo_set_line_width(g, 1);
    cairo_new_path(g);
    cairo_arc(g, tx, ty, kThumbRadius, 0, 2 * std::numbers::pi);
    SetSource(g, kThumbLight);
    cairo_stroke(g);
    cairo_arc(g, tx + 1, ty + 1, kThumbRadius, 0, 2 * std::numbers::pi);
    SetSource(g, kThumbShade);
    cairo_stroke(g);
    if (!enabled_) MRender::DrawColor(g, Rect{0, 0, w, h}, kDisabledVeil);
  }
  PaintSlot(cr, 0);
  if (!bar_thumb_.Empty()) {
    // Kept inside the control: only its rectangle is repainted.
    cairo_save(cr);
    cairo_rectangle(cr, rect_.left, rect_.top, w, h);
    cairo_clip(cr);
    int y = rect_.top + palette_height_ * saturation_ / 200 - bar_thumb_.FrameHeight() / 2;
    MRender::DrawImage(
        cr, *bar_thumb_.Get(),
        Rect::FromSize(bar_.left + kBarWidth, y, bar_thumb_.FrameWidth(), bar_thumb_.FrameHeight()),
        bar_thumb_.Frame(0));
    cairo_restore(cr);
  }
}

}  // namespace tumi
