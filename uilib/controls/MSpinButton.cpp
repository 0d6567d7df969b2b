#include "uilib/controls/MSpinButton.h"

#include <algorithm>
#include <string>

#include "platform/window/VirtualKeys.h"
#include "uilib/controls/CImageButton.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"

namespace tumi {

namespace {
constexpr int kButtonInset = 4;  // between the buttons and the right edge
constexpr int kFrameCorner = 6;
constexpr int kTextLeft = 5;
constexpr int kTextShorter = 28;  // room for the buttons
constexpr int kBandHeight = 14;
constexpr Argb kSelectionBand = 0xFE3399FF;
constexpr Argb kDisabledText = 0xFF808080;
constexpr int kSlots = 4;
}  // namespace

MSpinButton::MSpinButton(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible) {
  enabled_ = enabled;
  text_color_ = 0xFE050505;
  if (!enabled) state_ = 3;
}

void MSpinButton::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  if (up_) return;
  up_ = static_cast<CImageButton*>(
      AddControl(std::make_unique<CImageButton>(this, kUpButtonId, Rect{}, "")));
  down_ = static_cast<CImageButton*>(
      AddControl(std::make_unique<CImageButton>(this, kDownButtonId, Rect{}, "")));
  up_->SetImage("img_spin_up.png", 4);
  down_->SetImage("img_spin_down.png", 4);
  Layout();
}

void MSpinButton::Layout() {
  if (!up_ || !down_) return;
  int middle = rect_.top + rect_.Height() / 2;
  Size up = up_->GetImageSize();
  Size down = down_->GetImageSize();
  up_->SetControlRect(
      Rect{rect_.right - kButtonInset - up.cx, middle - up.cy, rect_.right - kButtonInset, middle});
  down_->SetControlRect(Rect{rect_.right - kButtonInset - down.cx, middle,
                             rect_.right - kButtonInset, middle + down.cy});
}

void MSpinButton::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  Layout();
}

void MSpinButton::SetControlEnabled(int enabled) {
  MPanel::SetControlEnabled(enabled);
  state_ = enabled ? 0 : 3;
}

int MSpinButton::SetControlFocus(int focus) {
  int was = focused_;
  focused_ = focus ? 1 : 0;
  MPanel::SetControlFocus(focus);
  // The selection band is part of the picture.
  if (was != focused_) UpdateControl(1, 0);
  return 1;
}

void MSpinButton::SetCurValue(int value) {
  if (value == value_) return;
  value_ = value;
  UpdateControl(1, 0);
}

void MSpinButton::SetRange(int minimum, int maximum) {
  min_ = minimum;
  max_ = maximum;
}

int MSpinButton::Wrap(long long value) const {
  if (value > max_) return min_;
  if (value < min_) return max_;
  return static_cast<int>(value);
}

void MSpinButton::Commit(int value) {
  SetCurValue(value);
  SendMessageW(kNotifySpinChanged);
}

void MSpinButton::Step(int delta) {
  Commit(Wrap(static_cast<long long>(value_) + delta));
}

long MSpinButton::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                            std::intptr_t lparam) {
  if (code == kNotifyActivated && (id == kUpButtonId || id == kDownButtonId)) {
    Step(id == kUpButtonId ? 1 : -1);
    return 1;
  }
  if (id == kUpButtonId || id == kDownButtonId) return 1;
  return MPanel::OnMessage(id, code, wparam, lparam);
}

int MSpinButton::OnControlKeyDown(int key, int repeat, int modifiers) {
  namespace vk = platform::vk;
  if (!enabled_ || !focused_) return MPanel::OnControlKeyDown(key, repeat, modifiers);
  if (key == vk::kUp || key == vk::kAdd) {
    Step(1);
  } else if (key == vk::kDown || key == vk::kSubtract) {
    Step(-1);
  } else if (key == vk::kLeft || key == vk::kRight) {
    // Consumed: the field has no caret to move.
  } else if (key == vk::kBack) {
    int value = value_ > 9 ? value_ / 10 : 0;
    if (value != value_) Commit(value);
  } else if ((key >= '0' && key <= '9') || (key >= vk::kNumpad0 && key <= vk::kNumpad0 + 9)) {
    int digit = key >= vk::kNumpad0 ? key - vk::kNumpad0 : key - '0';
    std::string text = std::to_string(value_) + std::to_string(digit);
    long long typed = static_cast<int>(text.size()) > limit_length_ ? digit : std::stoll(text);
    Commit(Wrap(typed));
  } else {
    return MPanel::OnControlKeyDown(key, repeat, modifiers);
  }
  return 1;
}

void MSpinButton::SetSpinState(int state) {
  if (state == state_) return;
  state_ = state;
  UpdateControl(0, 0);
}

int MSpinButton::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  int before = state_;
  SetSpinState(rect_.Contains(p) ? 1 : 0);
  return state_ != before ? 1 : 0;
}

int MSpinButton::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  // The window makes the pressed control its focus without telling it.
  if (!focused_) SetControlFocus(1);
  SetSpinState(2);
  return 1;
}

int MSpinButton::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  SetSpinState(rect_.Contains(p) ? 1 : 0);
  return 1;
}

void MSpinButton::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * kSlots, h);
    if (!cache) return;
    Graphics g(*cache);
    TextFormat format = GetTextFormat();
    format.h_align = kAlignLeft;
    format.v_align = kAlignVCenter;
    format.single_line = true;
    for (int slot = 0; slot < kSlots; ++slot) {
      int x = slot * w;
      if (image_ && image_->image && frame_width_ > 0) {
        int frame = std::min(slot, std::max(frame_count_, 1) - 1);
        MRender::DrawImageFrame(
            g, *image_->image, Rect::FromSize(x, 0, w, h),
            Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_), kFrameCorner);
      }
      if (focused_) {
        MRender::DrawColor(g,
                           Rect::FromSize(x + kTextLeft, h / 2 - 7, w - kTextShorter, kBandHeight),
                           kSelectionBand);
      }
      MRender::DrawString(g, std::to_string(value_),
                          Rect::FromSize(x + kTextLeft, 0, w - kTextShorter, h), GetFontSpec(),
                          format, slot == 3 ? kDisabledText : text_color_);
    }
  }
  PaintSlot(cr, state_);
}

}  // namespace tumi
