#include "uilib/keyboard/CKeyboardTips.h"

#include "uilib/core/MRender.h"

namespace tumi {

namespace {

constexpr int kSmallFontPixels = 14;
constexpr int kLargeFontPixels = 18;
constexpr int kTextLeft = 10;
constexpr int kTextHeight = 20;
constexpr int kTitleTop = 8;
constexpr int kLine1Top = 35;
constexpr int kLine2Top = 63;
// Every message sets these: a key tip hides when its owner loses the
// activation (mode 4) and never starts the hide timer itself.
constexpr int kTipType = 5;
constexpr int kTipMode = 4;

}  // namespace

int CKeyboardTips::SetAirBladderMsg(const std::string& title, const std::string& line1,
                                    const std::string& line2, Point point) {
  if (title == title_ && line1 == line1_ && line2 == line2_ && point == point_) return 1;
  title_ = title;
  line1_ = line1;
  line2_ = line2;
  point_ = point;
  type_ = kTipType;
  mode_ = kTipMode;
  AutoFit();
  return 1;
}

void CKeyboardTips::AutoFit() {
  if (title_.empty()) return;
  PlaceWindow(CardRect(point_));
}

void CKeyboardTips::DrawText(cairo_t* cr, int width, int /*height*/) {
  if (title_.empty()) return;
  TextFormat centred;
  centred.h_align = kAlignCenter;
  centred.v_align = kAlignVCenter;
  const FontSpec small{GetFontFamily(), kSmallFontPixels, kFontRegular};
  const FontSpec large{GetFontFamily(), kLargeFontPixels, kFontRegular};
  auto box = [width](int top) {
    return Rect::FromSize(kTextLeft, top, width - 2 * kTextLeft, kTextHeight);
  };
  MRender::DrawString(cr, title_, box(kTitleTop), small, centred, kTitleColor);
  MRender::DrawString(cr, line1_, box(kLine1Top), small, centred, kLineColor);
  MRender::DrawString(cr, line2_, box(kLine2Top), large, centred, kLineColor);
}

}  // namespace tumi
