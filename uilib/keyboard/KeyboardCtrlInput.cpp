// Pointer input, rubber-band selection, the preview timer and key tips.
#include <algorithm>
#include <cstdlib>

#include "platform/window/MessageIds.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/keyboard/KeyboardCtrl.h"

namespace tumi {

namespace {

constexpr unsigned kButtonsHeld =
    static_cast<unsigned>(platform::msg::kMkLButton | platform::msg::kMkRButton);

std::uintptr_t IndexParam(int index) {
  return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(index));
}

}  // namespace

int KeyboardCtrl::KeyAt(Point p) const {
  for (const auto& key : keys_) {
    if (KeyWindowRect(*key).Contains(p)) return key->index;
  }
  return -1;
}

int KeyboardCtrl::OnControlMouseMove(unsigned flags, Point p) {
  if (!enabled_) return 0;
  const bool inside = rect_.Contains(p);
  if (frame_select_ && (flags & kButtonsHeld) != 0) {
    if (!inside) return 0;
    if (std::abs(p.x - frame_.current.x) <= kFrameStep &&
        std::abs(p.y - frame_.current.y) <= kFrameStep) {
      return 1;
    }
    frame_.current = p;
    frame_.selecting = true;
    ApplyFrameSelection();
    Repaint();
    return 1;
  }
  int before = -1;
  int now = -1;
  {
    std::lock_guard lock(items_lock_);
    before = hovered_;
    if (inside && ValidIndex(hovered_) && KeyWindowRect(*keys_[hovered_]).Contains(p)) {
      now = hovered_;
    } else {
      hovered_ = inside ? KeyAt(p) : -1;
      now = hovered_;
    }
  }
  if (now >= 0) {
    ShowTipFor(now);
  } else {
    HideTip();
  }
  // Only the selection mode draws the hovered key.
  if (now != before && mode_ == kKeyboardModeSelect) Repaint();
  return inside ? 1 : 0;
}

int KeyboardCtrl::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool repaint = false;
  if (frame_.selecting) {
    ClearFrameSelect();
    repaint = true;
  }
  const bool inside = rect_.Contains(p);
  {
    std::lock_guard lock(items_lock_);
    if (inside) {
      frame_.start = p;
      frame_.current = p;
      if (selected_ != hovered_ && mode_ == kKeyboardModeSelect) repaint = true;
      selected_ = hovered_;
    } else {
      ClearFrameSelect();
    }
  }
  if (repaint) Repaint();
  return inside ? 1 : 0;
}

int KeyboardCtrl::OnControlLButtonDblClk(unsigned flags, Point p) {
  // A quick second click is a click of its own (painting two keys, say).
  return OnControlLButtonDown(flags, p);
}

int KeyboardCtrl::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool repaint = false;
  if (frame_.selecting) {
    ClearFrameSelect();
    repaint = true;
  }
  if (!rect_.Contains(p)) {
    if (repaint) Repaint();
    return 0;
  }
  int index = -1;
  uint32_t value = 0;
  {
    std::lock_guard lock(items_lock_);
    if (ValidIndex(selected_)) {
      KEY_INFO& key = *keys_[selected_];
      if (mode_ == kKeyboardModePaint) {
        key.color = key.color == 0 ? custom_color_ : 0;
        repaint = true;
      }
      index = selected_;
      value = key.value;
    }
  }
  current_value_ = value;
  if (repaint) Repaint();
  SendMessageW(kNotifyActivated, IndexParam(index), static_cast<std::intptr_t>(value));
  return 1;
}

int KeyboardCtrl::OnControlRButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !frame_select_) return 0;
  if (!rect_.Contains(p)) {
    ClearFrameSelect();
    return 0;
  }
  // The drag threshold counts from the press: a right click that trembles a
  // little stays a click on the key.
  frame_.start = p;
  frame_.current = p;
  return 1;
}

int KeyboardCtrl::OnControlRButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  if (frame_.selecting) {
    ClearFrameSelect();
    Repaint();
    SendMessageW(kNotifyKeyboardRightClick, 0, 0);
    return 1;
  }
  if (!rect_.Contains(p)) return 0;
  int index = -1;
  uint32_t value = 0;
  bool changed = false;
  {
    std::lock_guard lock(items_lock_);
    index = ValidIndex(hovered_) ? hovered_ : -1;
    changed = selected_ != index;
    selected_ = index;
    if (index >= 0) value = keys_[index]->value;
  }
  current_value_ = value;
  SendMessageW(kNotifyRightReleased, IndexParam(index), static_cast<std::intptr_t>(value));
  if (changed && mode_ == kKeyboardModeSelect) Repaint();
  return 1;
}

Rect KeyboardCtrl::FrameRect() const {
  return Rect{
      std::min(frame_.start.x, frame_.current.x), std::min(frame_.start.y, frame_.current.y),
      std::max(frame_.start.x, frame_.current.x), std::max(frame_.start.y, frame_.current.y)};
}

void KeyboardCtrl::ApplyFrameSelection() {
  Rect frame = FrameRect();
  if (frame.Width() < kMinFrame || frame.Height() < kMinFrame) frame = Rect{};
  std::lock_guard lock(items_lock_);
  // The frame replaces earlier checks.
  for (const auto& key : keys_) {
    key->checked = !frame.IsEmpty() && KeyWindowRect(*key).Intersects(frame) ? 1 : 0;
  }
}

int KeyboardCtrl::OnControlTimer() {
  if (mode_ != kKeyboardModePreview) return 0;
  bool advanced = false;
  {
    std::lock_guard lock(items_lock_);
    if (preview_frames_ <= 0) return 0;
    if (++ticks_ >= ticks_per_frame_) {
      ticks_ = 0;
      preview_frame_ = (preview_frame_ + 1) % preview_frames_;
      advanced = true;
    }
  }
  // The timer's thread may ask: the window queues the repaint for its UI thread.
  if (advanced) Repaint();
  return advanced ? 1 : 0;
}

void KeyboardCtrl::ShowTipFor(int index) {
  if (!tips_enabled_) return;
  KEY_INFO copy;
  Rect rect;
  {
    std::lock_guard lock(items_lock_);
    if (!ValidIndex(index)) return;
    copy = *keys_[index];
    rect = KeyWindowRect(copy);
  }
  SetTips(&copy, rect, true);
}

void KeyboardCtrl::HideTip() {
  if (tips_) SetTips(nullptr, Rect{}, false);
}

void KeyboardCtrl::SetTips(const KEY_INFO* key, const Rect& key_rect, bool show) {
  if (!tips_enabled_ || !manager_) return;
  if (!tips_) {
    tips_ = std::make_unique<CKeyboardTips>();
    tips_->CreateTip(manager_->GetPaintWnd(), kTipsTitle);
    tips_->LoadBKImage(kTipsBackground);
  }
  if (!show || !key) {
    if (tips_->IsWindowVisible()) tips_->ShowWindow(static_cast<int>(platform::ShowCommand::kHide));
    return;
  }
  Point anchor{key_rect.left + key_rect.Width() / 2, key_rect.top};
  if (platform::WindowSystem* system = Manager::GetWindowSystem()) {
    platform::Point screen = system->ClientToScreen(manager_->GetPaintWnd(), {anchor.x, anchor.y});
    anchor = {screen.x, screen.y};
  }
  if (!key->tip_line1.empty() || !key->tip_line2.empty()) {
    tips_->SetAirBladderMsg(key->description, key->tip_line1, key->tip_line2, anchor);
  } else {
    tips_->SetAirBladderMsg(key->description, title_, key->description, anchor);
  }
  if (!tips_->IsWindowVisible()) {
    tips_->ShowWindow(static_cast<int>(platform::ShowCommand::kShowNoActivate));
  }
}

}  // namespace tumi
