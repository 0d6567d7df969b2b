// Drawing of the keyboard picture: one routine per mode, into the control's
// render cache, under the item lock.
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/keyboard/KeyboardCtrl.h"

namespace tumi {

namespace {

constexpr int kKeyFontSize = 10;
// Icon and name share a key: the icon's top sits this far above the key's
// bottom and the name keeps clear of it.
constexpr int kIconBand = 20;

TextFormat CentredText() {
  TextFormat format;
  format.h_align = kAlignCenter;
  format.v_align = kAlignVCenter;
  format.single_line = true;
  return format;
}

// The preview outline: cyan, as opaque as the key's byte of the frame.
constexpr Argb PreviewColor(uint8_t alpha) {
  return MakeArgb(alpha, 0x00, 0xFF, 0xFF);
}

}  // namespace

void KeyboardCtrl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  const int width = rect_.Width();
  const int height = rect_.Height();
  if (width <= 0 || height <= 0) return;
  const int mode = mode_;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, width, height);
    if (!cache) return;
    Graphics g(*cache);
    std::lock_guard lock(items_lock_);
    switch (mode) {
      case kKeyboardModeKeys:
        DrawKeysMode(g);
        break;
      case kKeyboardModeSelect:
        DrawSelectMode(g);
        break;
      case kKeyboardModePreview:
        DrawPreviewMode(g);
        break;
      case kKeyboardModePaint:
      case kKeyboardModeMusic:
        DrawColourMode(g);
        break;
      default:
        break;
    }
  }
  PaintSlot(cr, 0);
  if (mode == kKeyboardModeSelect && frame_.selecting) DrawFrameRect(cr);
}

void KeyboardCtrl::DrawPicture(cairo_t* cr) const {
  const Image& picture = *picture_;
  int width = picture_width_ > 0 ? picture_width_ : picture.Width();
  int height = picture_height_ > 0 ? picture_height_ : picture.Height();
  MRender::DrawImage(cr, picture,
                     Rect::FromSize(offset_x_, offset_y_, static_cast<int>(width * scale_),
                                    static_cast<int>(height * scale_)),
                     Rect::FromSize(0, 0, picture.Width(), picture.Height()));
}

void KeyboardCtrl::DrawOutline(cairo_t* cr, const Rect& box, Argb color) const {
  MRender::DrawRoundRectange(cr, box.left, box.top, box.Width(), box.Height(), kOutlineDivisor,
                             color, kOutlineWidth, false, 0);
}

void KeyboardCtrl::DrawKeysMode(cairo_t* cr) const {
  FontSpec font{GetFontFamily(), static_cast<int>(kKeyFontSize * scale_), kFontRegular};
  if (font.family.empty()) font.family = Manager::GetFontName();
  for (const auto& key : keys_) {
    Rect box = key->rect.Offset(offset_x_, offset_y_);
    MRender::DrawColor(cr, box.Inset(1, 1), kKeyFill);
    DrawKeyFace(cr, *key, box, font);
  }
}

void KeyboardCtrl::DrawKeyFace(cairo_t* cr, const KEY_INFO& key, const Rect& box,
                               const FontSpec& font) const {
  auto draw_name = [&](const Rect& area) {
    if (key.name.empty()) return;
    const TextFormat format = CentredText();
    MRender::DrawString(cr, key.name, area.Offset(1, 1), font, format, kTextShadow);
    MRender::DrawString(cr, key.name, area, font, format, kTextColor);
  };
  if (!key.icon) {
    draw_name(box);
    return;
  }
  const Rect source = Rect::FromSize(0, 0, key.icon_width, key.icon_height);
  if (key.name.empty()) {
    Point at = MRender::GetOriginPoint(box.Width(), box.Height(), key.icon_width, key.icon_height,
                                       kAlignCenter, kAlignVCenter);
    MRender::DrawImage(
        cr, *key.icon,
        Rect::FromSize(box.left + at.x, box.top + at.y, key.icon_width, key.icon_height), source);
    return;
  }
  draw_name(Rect{box.left, box.top, box.right, box.bottom - kIconBand});
  int left = box.left + (box.Width() - key.icon_width) / 2;
  MRender::DrawImage(cr, *key.icon,
                     Rect::FromSize(left, box.bottom - kIconBand, key.icon_width, key.icon_height),
                     source);
}

void KeyboardCtrl::DrawSelectMode(cairo_t* cr) const {
  if (!picture_) return;
  DrawPicture(cr);
  for (const auto& key : keys_) {
    if (key->checked || key->index == hovered_ || key->index == selected_) {
      DrawOutline(cr, key->rect.Offset(offset_x_, offset_y_), kSelectOutline);
    }
  }
}

void KeyboardCtrl::DrawPreviewMode(cairo_t* cr) const {
  if (!picture_) return;
  DrawPicture(cr);
  for (const auto& key : keys_) {
    DrawOutline(cr, key->rect.Offset(offset_x_, offset_y_), PreviewColor(PreviewAlpha(key->index)));
  }
}

void KeyboardCtrl::DrawColourMode(cairo_t* cr) const {
  if (!picture_) return;
  DrawPicture(cr);
  for (const auto& key : keys_) {
    DrawOutline(cr, key->rect.Offset(offset_x_, offset_y_), ArgbFromColorRef(key->color, 0xFF));
  }
}

void KeyboardCtrl::DrawFrameRect(cairo_t* cr) const {
  const Rect frame = FrameRect();
  cairo_save(cr);
  cairo_rectangle(cr, rect_.left, rect_.top, rect_.Width(), rect_.Height());
  cairo_clip(cr);
  static const double kDots[] = {2.0, 2.0};
  cairo_set_dash(cr, kDots, 2, 0);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_set_source_rgba(cr, RedOf(kFrameSelectPen) / 255.0, GreenOf(kFrameSelectPen) / 255.0,
                        BlueOf(kFrameSelectPen) / 255.0, AlphaOf(kFrameSelectPen) / 255.0);
  cairo_rectangle(cr, frame.left, frame.top, frame.Width(), frame.Height());
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace tumi
