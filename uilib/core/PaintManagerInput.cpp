// The paint manager's message routing and input: which control is under the
// pointer, which has the focus, and who gets each press, key and wheel turn.
#include <cstdlib>

#include "uilib/core/MShadow.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/TooltipWnd.h"
#include "uilib/keyboard/MAirBladder.h"

namespace tumi {

namespace msg = platform::msg;
namespace vk = platform::vk;

// Controls removed while input is being dispatched are freed when the
// outermost dispatch returns, so no handler up the stack is left with a
// freed control.
class PaintManager::DispatchScope {
 public:
  explicit DispatchScope(PaintManager* pm) : pm_(pm) { ++pm_->dispatch_depth_; }
  ~DispatchScope() {
    if (--pm_->dispatch_depth_ == 0) pm_->FreeGraveyard();
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  PaintManager* pm_;
};

namespace {
Point PointOf(std::intptr_t lparam) {
  platform::Point p = platform::UnpackPoint(lparam);
  return {p.x, p.y};
}

bool IsKeyboardMessage(std::uint32_t message) {
  switch (message) {
    case msg::kKeyDown:
    case msg::kKeyUp:
    case msg::kSysKeyDown:
    case msg::kSysKeyUp:
    case msg::kChar:
    case msg::kImeStartComposition:
    case msg::kImeComposition:
    case msg::kImeEndComposition:
      return true;
    default:
      return false;
  }
}
}  // namespace

std::intptr_t PaintManager::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                            std::intptr_t lparam) {
  if (message == msg::kNcDestroy) {
    DestroyData();
    return 1;
  }
  if (!initialised_) return 0;
  DispatchScope scope(this);
  shadow_->OnParentMessage(message, wparam, lparam);
  if (message_filter_ && message_filter_->FilterMessage(message, wparam, lparam)) return 1;
  if (keyboard_owner_ && IsKeyboardMessage(message) &&
      keyboard_owner_->OnWindowMessage(message, wparam, lparam)) {
    return 1;
  }
  for (MControl* c : ControlsSnapshot()) {
    if (!c->IsDetached() && c->OnWindowMessage(message, wparam, lparam)) return 0;
  }
  auto flags = static_cast<unsigned>(wparam);
  switch (message) {
    case msg::kPaint:
      return Paint();
    case msg::kCreate:
    case msg::kDestroy:
    case msg::kSize:
    case msg::kChar:
    case msg::kMouseHover:
      return 1;
    case msg::kNcActivate:
      OnActivation(wparam != 0);
      return 1;
    case msg::kKeyDown:
    case msg::kSysKeyDown:
      OnKey(static_cast<int>(wparam));
      return 1;
    case msg::kKeyUp:
    case msg::kSysKeyUp:
      return 0;
    case msg::kTimer:
      OnTimerMessage(wparam);
      return 0;
    case kMsgPendingUpdates:
      RunPendingUpdates();
      return 1;
    case msg::kMouseMove:
      OnMouseMove(flags, PointOf(lparam));
      return 1;
    case msg::kLButtonDown:
      OnButtonDown(true, flags, PointOf(lparam));
      return 1;
    case msg::kRButtonDown:
      OnButtonDown(false, flags, PointOf(lparam));
      return 1;
    case msg::kLButtonUp:
      OnButtonUp(true, flags, PointOf(lparam));
      return 1;
    case msg::kRButtonUp:
      OnButtonUp(false, flags, PointOf(lparam));
      return 1;
    case msg::kLButtonDblClk:
      OnDoubleClick(true, flags, PointOf(lparam));
      return 1;
    case msg::kRButtonDblClk:
      OnDoubleClick(false, flags, PointOf(lparam));
      return 1;
    case msg::kMouseLeave:
      OnMouseLeave();
      return 1;
    case msg::kMouseWheel:
      return OnWheel(wparam, lparam);
    default:
      return 0;
  }
}

int PaintManager::ModifierCode() const {
  platform::WindowSystem* system = System();
  if (!system) return 0;
  int code = 0;
  if (system->IsKeyDown(vk::kMenu)) {
    code = kModAlt;
  } else if (system->IsKeyDown(vk::kShift)) {
    code = kModShift;
  }
  if (system->IsKeyDown(vk::kControl)) code |= kModCtrl;
  return code;
}

int PaintManager::PreTranslateMessage(const platform::Message& message) {
  switch (message.message) {
    case msg::kKeyDown:
    case msg::kSysKeyDown: {
      if (static_cast<int>(message.wparam) != vk::kTab || message.window != window_) return 0;
      MControl* before = focus_;
      int code = ModifierCode();
      if (code == 0) {
        SetFocusControl(GetNextFocusableControl());
      } else if (code == kModShift) {
        SetFocusControl(GetPrevFocusableControl());
      }
      return focus_ != before ? 1 : 0;
    }
    case msg::kLButtonDown:
    case msg::kRButtonDown:
    case msg::kMButtonDown:
    case msg::kMouseWheel:
      // A press or a wheel turn dismisses a showing tooltip.
      if (tooltip_ && tooltip_->IsShown()) tooltip_->Hide();
      return 0;
    default:
      return 0;
  }
}

void PaintManager::OnMouseMove(unsigned flags, Point p) {
  platform::WindowSystem* system = System();
  if (!tracking_ && system) {
    tracking_ = system->TrackMouse(window_, platform::kTrackLeave | platform::kTrackHover) ? 1 : 0;
  }
  if (hover_ && hover_->PtInRect(p) && hover_->OnCheckMouseResponse(flags, p) && tracking_) {
    hover_->OnMouseMove(flags, p);
    return;
  }
  if (hover_) ClearTooltip();
  if (lbutton_down_) return;
  if (!tracking_) {
    hover_ = nullptr;
    return;
  }
  MControl* found = nullptr;
  for (MControl* c : ControlsSnapshot()) {
    if (c->IsDetached()) continue;
    c->OnMouseMove(flags, p);
    if (c->PtInRect(p) && c->GetRresponse()) found = c;
  }
  hover_ = found;
}

void PaintManager::OnButtonDown(bool left, unsigned flags, Point p) {
  if (left) {
    dblclk_ = 0;
  } else {
    rdblclk_ = 0;
  }
  // A press inside the focus control, or inside the container that holds
  // it, leaves the focus where it is: the container's dispatch moves it if
  // the press lands on another of its controls.
  bool focus_within = false;
  for (MControl* c = focus_; c && hover_; c = dynamic_cast<MControl*>(c->GetParantObject())) {
    if (c == hover_) {
      focus_within = true;
      break;
    }
  }
  if (focus_ && !focus_within) {
    focus_->SetControlFocus(0);
    focus_ = nullptr;
  }
  MControl* taken = nullptr;
  if (hover_ && hover_->IsVisible() && hover_->GetRresponse() && hover_->PtInRect(p) &&
      hover_->OnCheckMouseResponse(flags, p)) {
    taken = hover_;
    if (left) {
      lbutton_down_ = 1;
    } else {
      rbutton_down_ = 1;
    }
    if (!focus_within) focus_ = taken;
    if (left) {
      taken->OnLButtonDown(flags, p);
    } else {
      taken->OnRButtonDown(flags, p);
    }
    if (!captured_ && hover_ == taken && hover_->OnCheckMouseResponse(flags, p)) SetCapture();
    return;
  }
  if (left && window_drag_) {
    ReleaseCapture();
    if (platform::WindowSystem* system = System()) system->BeginMoveDrag(window_);
  }
}

void PaintManager::OnButtonUp(bool left, unsigned flags, Point p) {
  if (captured_) ReleaseCapture();
  if (left) {
    lbutton_down_ = 0;
  } else {
    rbutton_down_ = 0;
  }
  if (hover_ && hover_->IsVisible() && hover_->GetRresponse()) {
    MControl* target = hover_;
    Rect before = target->GetRect();
    if (left) {
      target->OnLButtonUp(flags, p);
    } else {
      target->OnRButtonUp(flags, p);
    }
    if (!before.Contains(p) && hover_ == target) hover_ = nullptr;
  }
  if (left) {
    dblclk_ = 0;
  } else {
    rdblclk_ = 0;
  }
}

void PaintManager::OnDoubleClick(bool left, unsigned flags, Point p) {
  if (left) {
    dblclk_ = 1;
  } else {
    rdblclk_ = 1;
  }
  if (hover_ && hover_->IsVisible() && hover_->GetRresponse()) {
    MControl* target = hover_;
    if (left) {
      target->OnLButtonDblClk(flags, p);
    } else {
      target->OnRButtonDblClk(flags, p);
    }
    if (hover_ == target && !target->GetRect().Contains(p)) hover_ = nullptr;
  }
}

void PaintManager::OnMouseLeave() {
  ClearTooltip();
  tracking_ = 0;
  if (lbutton_down_) return;
  if (hover_) hover_->OnMouseMove(0, Point{-1, -1});
  hover_ = nullptr;
}

void PaintManager::OnActivation(bool active) {
  active_ = active ? 1 : 0;
  if (!active) {
    tracking_ = 0;
    captured_ = 0;
    dblclk_ = 0;
    if (hover_) {
      MControl* target = hover_;
      if (lbutton_down_) {
        target->OnLButtonUp(0, Point{-1, -1});
      } else {
        target->OnMouseMove(0, Point{-1, -1});
      }
    }
    lbutton_down_ = 0;
    hover_ = nullptr;
    // The bubble never holds the focus itself; it goes with the window's.
    if (bubble_window_) bubble_window_->OnOwnerDeactivated();
  } else if (caret_owner_ && caret_owner_->IsFocused()) {
    // The caret stopped blinking when the window lost the focus.
    ShowCaret(1);
  }
  Invalidate();
}

int PaintManager::OnWheel(std::uintptr_t wparam, std::intptr_t lparam) {
  platform::WindowSystem* system = System();
  if (!system) return 0;
  platform::Point screen = platform::UnpackPoint(lparam);
  platform::Point client = system->ScreenToClient(window_, screen);
  Point p{client.x, client.y};
  int delta = platform::SignedHighWord(wparam);
  int steps = std::abs(delta) / 120;
  int direction = delta < 0 ? 1 : 0;
  int accepted = 0;
  for (int i = 0; i < steps; ++i) {
    if (hover_ && hover_->OnScroll(1, direction, p)) {
      accepted = 1;
      continue;
    }
    for (MControl* c : ControlsSnapshot()) {
      if (!c->IsDetached() && c->OnScroll(1, direction, p)) {
        accepted = 1;
        break;
      }
    }
  }
  return accepted;
}

void PaintManager::OnKey(int key) {
  int code = ModifierCode();
  if (hover_ && hover_->OnKeyDown(key, 1, code)) return;
  for (MControl* c : ControlsSnapshot()) {
    if (!c->IsDetached() && c->OnKeyDown(key, 1, code)) return;
  }
}

}  // namespace tumi
