#include "uilib/keyboard/MAirBladder.h"

#include <algorithm>
#include <cmath>

#include "uilib/core/MRender.h"

namespace tumi {

namespace {

TextFormat NearFormat() {
  TextFormat f;
  f.h_align = kAlignLeft;
  f.v_align = kAlignTop;
  return f;
}

TextFormat CentredFormat() {
  TextFormat f;
  f.h_align = kAlignCenter;
  f.v_align = kAlignVCenter;
  return f;
}

}  // namespace

int MAirBladder::LoadArrow(const std::string& name, std::shared_ptr<const Image>& slot) {
  std::shared_ptr<const Image> image = LoadSkinImage(name);
  if (!image) return 0;
  slot = std::move(image);
  return 1;
}

int MAirBladder::SetAirBladderMsg(const std::string& text, Point point, int type, int mode) {
  if (text == text_ && point == point_ && type == type_ && mode == mode_) return 1;
  format_ = NearFormat();
  text_ = text;
  point_ = point;
  type_ = type;
  mode_ = mode;
  AutoFit();
  if (text_.empty()) InvalidateRect();  // no fit, but the old text must go
  platform::WindowSystem* system = System();
  if (type_ != kTypeStays && system && system->IsWindow(GetSafeHwnd())) {
    // Setting the timer again restarts the five seconds.
    SetTimer(kHideTimer, kHideDelayMs);
  }
  return 1;
}

Size MAirBladder::MeasureText() {
  TextFormat whole;
  Size size = MRender::GetTextBounds(Font(), text_, whole);
  TextFormat one_line;
  one_line.single_line = true;
  size.cy = MRender::GetTextBounds(Font(), text_, one_line).cy;
  return size;
}

void MAirBladder::AutoFit() {
  if (text_.empty()) return;
  const Size measured = MeasureText();
  const int w = measured.cx;
  const int lh = measured.cy;
  line_height_ = lh;
  const int lines = 1 + static_cast<int>(std::count(text_.begin(), text_.end(), '\n'));
  line_count_ = lines;
  if (lines == 1 || mode_ == kAbove) format_ = CentredFormat();
  const int h = lines * lh;
  const int px = point_.x;
  const int py = point_.y;
  switch (mode_) {
    case kRightOf: {
      const int top = py - h / 2 - 10;
      fit_ = Rect{px, top, px + w + 40, top + h + 20};
      break;
    }
    case kLeftOf:
      fit_ = Rect{px - w - 40, py - 27, px, py + h - 7};
      break;
    case kBelow:
      fit_ = Rect{px - 25, py, px + w + 15, py + h + 30};
      break;
    case kAbove: {
      const int left = px - (w + 30) / 2;
      fit_ = Rect{left, py - h - 20, left + w + 30, py};
      break;
    }
    case kRightShort: {
      // Two lines fewer are drawn, in a window 35 pixels shorter than the
      // text. With fewer than three lines that would leave nothing (or a
      // negative height): at least one line is drawn and fits.
      line_count_ = std::max(lines - 2, 1);
      const int top = py - 10;
      fit_ = Rect{px, top, px + w + 40, top + std::max(h - 35, line_count_ * lh + 2)};
      break;
    }
    default:
      fit_ = Rect{};
      break;
  }
  PlaceWindow(fit_);
}

void MAirBladder::DrawText(cairo_t* cr, int width, int height) {
  if (text_.empty()) return;
  // Measured when the window was fitted to the text.
  const int lh = line_height_;
  const int lines = line_count_;
  const double y = (height - lines * lh) * 0.5 + lines - 1;
  const Rect box = Rect::FromSize(8, static_cast<int>(std::floor(y)), width - 16, lines * lh + 2);
  MRender::DrawString(cr, text_, box, Font(), format_, kTextColor);
}

}  // namespace tumi
