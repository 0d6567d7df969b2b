#include "uilib/controls/UpgradeButton.h"

#include <numbers>

#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kCorner = 8;
constexpr int kBadgeSize = 16;
constexpr int kBadgeFontSize = 8;
constexpr Argb kBadgeColor = 0xFFFF0000;
}  // namespace

UpgradeButton::UpgradeButton(MObject* parent, unsigned id, const Rect& rect,
                             const std::string& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
  corner_ = kCorner;
}

void UpgradeButton::SetUpgradeStatus(int status) {
  status_ = status;
  UpdateControl(1, 0);
}

void UpgradeButton::DrawSlot(cairo_t* cr, int slot, const Rect& box) {
  // Frames made for the button's size are copied as they are.
  if (frame_width_ == box.Width() && frame_height_ == box.Height()) {
    DrawFrameNatural(cr, slot, box, false);
  } else {
    DrawFrameNinePatch(cr, slot, box, corner_);
  }
  DrawButtonTitle(cr, slot, box);
  if (!status_) return;
  Rect badge = Rect::FromSize(box.right - kBadgeSize, box.top, kBadgeSize, kBadgeSize);
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_arc(cr, badge.left + kBadgeSize / 2.0, badge.top + kBadgeSize / 2.0, kBadgeSize / 2.0, 0,
            2 * std::numbers::pi);
  cairo_set_source_rgba(cr, RedOf(kBadgeColor) / 255.0, GreenOf(kBadgeColor) / 255.0,
                        BlueOf(kBadgeColor) / 255.0, AlphaOf(kBadgeColor) / 255.0);
  cairo_fill(cr);
  cairo_restore(cr);
  TextFormat format;
  format.h_align = kAlignCenter;
  format.v_align = kAlignVCenter;
  format.single_line = true;
  format.clip = false;
  MRender::DrawString(cr, "1", badge, FontSpec{GetFontSpec().family, kBadgeFontSize, kFontRegular},
                      format, text_color_);
}

}  // namespace tumi
