// The input side of the window core: what the display reports becomes
// queued messages, after capture, activation, hover and leave tracking,
// double clicks and disabled windows have had their say.
#include <cstdlib>

#include "platform/window/MessageIds.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowCore.h"

namespace platform {

namespace {

constexpr Milliseconds kDoubleClickTime{500};
constexpr int kDoubleClickSlop = 2;  // pixels either way
constexpr int kHoverSlop = 2;

// UTF-8 to code points; a broken sequence gives U+FFFD and resumes at the next byte.
std::vector<char32_t> CodePoints(const std::string& text) {
  std::vector<char32_t> out;
  std::size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80           ? 0
                : (b >> 5) == 0x6  ? 1
                : (b >> 4) == 0xE  ? 2
                : (b >> 3) == 0x1E ? 3
                                   : -1;
    char32_t cp = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
    bool ok = extra >= 0;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + k >= text.size()) {
        ok = false;
        break;
      }
      auto c = static_cast<unsigned char>(text[i + k]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

int GenericKey(int vk) {
  switch (vk) {
    case vk::kLShift:
    case vk::kRShift:
      return vk::kShift;
    case vk::kLControl:
    case vk::kRControl:
      return vk::kControl;
    case vk::kLMenu:
    case vk::kRMenu:
      return vk::kMenu;
    default:
      return vk;
  }
}

std::uintptr_t ButtonBit(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      return msg::kMkLButton;
    case MouseButton::kRight:
      return msg::kMkRButton;
    case MouseButton::kMiddle:
      return msg::kMkMButton;
  }
  return 0;
}

std::uint32_t ButtonMessage(MouseButton button, bool down, bool double_click) {
  std::uint32_t base = button == MouseButton::kLeft    ? msg::kLButtonDown
                       : button == MouseButton::kRight ? msg::kRButtonDown
                                                       : msg::kMButtonDown;
  if (!down) return base + 1;
  return double_click ? base + 2 : base;
}

}  // namespace

std::uintptr_t WindowCore::MouseKeyFlags() const {
  std::uintptr_t flags = buttons_;
  if (IsKeyDown(vk::kShift)) flags |= msg::kMkShift;
  if (IsKeyDown(vk::kControl)) flags |= msg::kMkControl;
  return flags;
}

bool WindowCore::IsKeyDown(int virtual_key) const {
  switch (virtual_key) {
    case vk::kShift:
      return keys_down_.contains(vk::kLShift) || keys_down_.contains(vk::kRShift) ||
             keys_down_.contains(vk::kShift);
    case vk::kControl:
      return keys_down_.contains(vk::kLControl) || keys_down_.contains(vk::kRControl) ||
             keys_down_.contains(vk::kControl);
    case vk::kMenu:
      return keys_down_.contains(vk::kLMenu) || keys_down_.contains(vk::kRMenu) ||
             keys_down_.contains(vk::kMenu);
    case vk::kLButton:
      return buttons_ & msg::kMkLButton;
    case vk::kRButton:
      return buttons_ & msg::kMkRButton;
    case vk::kMButton:
      return buttons_ & msg::kMkMButton;
    default:
      return keys_down_.contains(virtual_key);
  }
}

bool WindowCore::AcceptsInput(WindowId window) const {
  const Window* w = Find(window);
  return w && w->enabled && !w->destroying;
}

WindowId WindowCore::InputTarget(WindowId window, Point& client) const {
  if (capture_ == kNoWindow || capture_ == window) return window;
  client = ScreenToClient(capture_, ClientToScreen(window, client));
  return capture_;
}

void WindowCore::PostLeave() {
  WindowId window = tracking_.window;
  tracking_ = {};
  if (IsWindow(window)) queue_.Post(Message{window, msg::kMouseLeave, 0, 0});
}

void WindowCore::PointerAt(WindowId window, Point client) {
  cursor_pos_ = ClientToScreen(window, client);
  if (pointer_window_ != window && tracking_.leave && tracking_.window != window) PostLeave();
  pointer_window_ = window;
}

void WindowCore::CheckHoverMove(WindowId window, Point client) {
  if (!tracking_.hover || tracking_.window != window) return;
  pointer_client_ = client;
  if (std::abs(client.x - tracking_.anchor.x) > kHoverSlop ||
      std::abs(client.y - tracking_.anchor.y) > kHoverSlop) {
    tracking_.anchor = client;
    tracking_.hover_due = clock_->Now() + tracking_.hover_time;
  }
}

bool WindowCore::BeginMoveDrag(WindowId window) {
  const Window* w = Find(window);
  if (!w || !(buttons_ & msg::kMkLButton) || w->maximized) return false;
  if (capture_ != kNoWindow) ReleaseCapture();
  Point pointer = backend_->GlobalPointer().value_or(cursor_pos_);
  move_drag_ = {window, {pointer.x - w->params.bounds.left, pointer.y - w->params.bounds.top}};
  backend_->CaptureMouse(true);
  return true;
}

bool WindowCore::FollowMoveDrag(WindowId window, Point client) {
  Window* w = Find(move_drag_.window);
  if (!w) return false;
  Point pointer = backend_->GlobalPointer().value_or(ClientToScreen(window, client));
  Rect bounds = w->params.bounds;
  ApplyBounds(*w,
              bounds.Offset(pointer.x - move_drag_.grab.x - bounds.left,
                            pointer.y - move_drag_.grab.y - bounds.top),
              true);
  return true;
}

void WindowCore::EndMoveDrag() {
  WindowId window = move_drag_.window;
  move_drag_ = {};
  if (capture_ == kNoWindow) backend_->CaptureMouse(false);
  if (Find(window)) Deliver(Message{window, msg::kExitSizeMove, 0, 0});
}

void WindowCore::OnPointerMove(WindowId window, Point client) {
  if (!Find(window)) return;
  PointerAt(window, client);
  if (move_drag_.window != kNoWindow && FollowMoveDrag(window, client)) return;
  WindowId target = InputTarget(window, client);
  if (!AcceptsInput(target)) return;
  CheckHoverMove(target, client);
  queue_.PostMove(Message{target, msg::kMouseMove, MouseKeyFlags(), PackPoint(client)});
}

void WindowCore::OnPointerLeave(WindowId window) {
  if (pointer_window_ == window) pointer_window_ = kNoWindow;
  if (tracking_.leave && tracking_.window == window) PostLeave();
}

void WindowCore::OnButton(WindowId window, MouseButton button, bool down, Point client) {
  if (!Find(window)) return;
  PointerAt(window, client);
  if (move_drag_.window != kNoWindow) {
    if (!down && button == MouseButton::kLeft) {
      buttons_ &= ~msg::kMkLButton;
      EndMoveDrag();
    }
    return;
  }
  if (down && capture_ == kNoWindow) {
    if (!IsEnabled(window)) {
      // A click on a window that a modal dialog disabled brings the dialog up.
      for (WindowId id : AllWindows()) {
        if (Owner(id) == window && IsVisible(id) && IsEnabled(id)) Activate(id, false);
      }
      return;
    }
    if (focus_ != window && !(Style(window) & kStyleNoActivate)) Activate(window, false);
  }
  WindowId target = InputTarget(window, client);
  if (!AcceptsInput(target)) return;
  std::uintptr_t bit = ButtonBit(button);
  bool double_click = false;
  if (down) {
    buttons_ |= bit;
    Milliseconds now = clock_->Now();
    const LastPress& last = last_press_;
    double_click = last.valid && last.window == target && last.button == button &&
                   now - last.time <= kDoubleClickTime &&
                   std::abs(client.x - last.client.x) <= kDoubleClickSlop &&
                   std::abs(client.y - last.client.y) <= kDoubleClickSlop;
    // A third press starts a new pair.
    last_press_ = double_click ? LastPress{} : LastPress{target, button, client, now, true};
  } else {
    buttons_ &= ~bit;
  }
  queue_.Post(Message{target, ButtonMessage(button, down, double_click), MouseKeyFlags(),
                      PackPoint(client)});
}

void WindowCore::OnWheel(WindowId window, int delta, Point client) {
  if (!Find(window)) return;
  PointerAt(window, client);
  WindowId target = InputTarget(window, client);
  if (!AcceptsInput(target)) return;
  queue_.Post(Message{target, msg::kMouseWheel, PackWords(static_cast<int>(MouseKeyFlags()), delta),
                      PackPoint(cursor_pos_)});
}

void WindowCore::PostKeyMessage(WindowId target, int virtual_key, int scan_code, bool extended,
                                bool down, bool was_down) {
  bool alt = IsKeyDown(vk::kMenu);
  bool ctrl = IsKeyDown(vk::kControl);
  // Alt turns a key into a system key, unless Ctrl is held too (AltGr).
  bool system = (alt && !ctrl) || GenericKey(virtual_key) == vk::kMenu;
  std::uint32_t message =
      down ? (system ? msg::kSysKeyDown : msg::kKeyDown) : (system ? msg::kSysKeyUp : msg::kKeyUp);
  queue_.Post(Message{target, message, static_cast<std::uintptr_t>(GenericKey(virtual_key)),
                      msg::KeyParam(scan_code, extended, alt, was_down, !down)});
  if (!down || alt || ctrl) return;
  switch (virtual_key) {
    case vk::kBack:
    case vk::kTab:
    case vk::kReturn:
    case vk::kEscape:
      queue_.Post(Message{target, msg::kChar, static_cast<std::uintptr_t>(virtual_key),
                          msg::KeyParam(scan_code, extended, false, was_down, false)});
      break;
    default:
      break;
  }
}

void WindowCore::OnKey(WindowId window, int virtual_key, int scan_code, bool extended, bool down) {
  bool was_down = keys_down_.contains(virtual_key);
  if (down) {
    keys_down_.insert(virtual_key);
  } else {
    keys_down_.erase(virtual_key);
  }
  WindowId target = focus_ != kNoWindow ? focus_ : window;
  if (!AcceptsInput(target)) return;
  PostKeyMessage(target, virtual_key, scan_code, extended, down, was_down);
}

void WindowCore::OnText(WindowId window, const std::string& utf8) {
  WindowId target = focus_ != kNoWindow ? focus_ : window;
  if (!AcceptsInput(target)) return;
  for (char32_t cp : CodePoints(utf8)) {
    queue_.Post(Message{target, msg::kChar, static_cast<std::uintptr_t>(cp), 1});
  }
}

void WindowCore::OnComposition(WindowId window, const Composition& composition) {
  WindowId target = focus_ != kNoWindow ? focus_ : window;
  if (!AcceptsInput(target) || composition == composition_) return;
  bool was_composing = !composition_.text.empty();
  composition_ = composition;
  if (!was_composing && !composition.text.empty()) {
    queue_.Post(Message{target, msg::kImeStartComposition, 0, 0});
  }
  queue_.Post(Message{target, msg::kImeComposition, 0, 0});
  if (was_composing && composition.text.empty()) {
    queue_.Post(Message{target, msg::kImeEndComposition, 0, 0});
  }
}

void WindowCore::OnFocus(WindowId window, bool gained) {
  if (!Find(window)) return;
  auto owned_by = [this](WindowId id, WindowId owner) {
    for (WindowId o = Owner(id); o != kNoWindow; o = Owner(o)) {
      if (o == owner) return true;
    }
    return false;
  };
  if (!gained) {
    // The desktop took the focus from this window and whatever it owns that
    // we had made active (popups never hold the desktop's focus themselves).
    if (focus_ == window || owned_by(focus_, window)) Deactivate();
    return;
  }
  if (focus_ == window || owned_by(focus_, window)) return;
  // Tips and the like never become active, whatever the desktop does.
  if (Style(window) & kStyleNoActivate) return;
  if (!IsEnabled(window)) {
    for (WindowId id : AllWindows()) {
      if (Owner(id) == window && IsVisible(id) && IsEnabled(id)) {
        Activate(id, false);
        return;
      }
    }
    return;
  }
  Activate(window, true);
}

void WindowCore::OnCloseRequest(WindowId window) {
  if (AcceptsInput(window)) queue_.Post(Message{window, msg::kSysCommand, msg::kScClose, 0});
}

void WindowCore::OnBoundsChanged(WindowId window, const Rect& screen) {
  if (Window* w = Find(window)) ApplyBounds(*w, screen, false);
}

void WindowCore::OnMinimized(WindowId window, bool minimized) {
  if (Window* w = Find(window)) SetMinimized(*w, minimized);
}

void WindowCore::OnExposed(WindowId window) {
  Invalidate(window, std::nullopt);
}

void WindowCore::OnDropFiles(WindowId window, const std::vector<std::string>& paths, Point client) {
  Window* w = Find(window);
  if (!w || !w->accept_files || !w->enabled || paths.empty()) return;
  std::uintptr_t drop = next_drop_++;
  drops_[drop] = paths;
  queue_.Post(Message{window, msg::kDropFiles, drop, PackPoint(client)});
}

void WindowCore::Activate(WindowId window, bool from_desktop) {
  if (focus_ == window || !Find(window)) return;
  WindowId old = focus_;
  focus_ = window;
  if (old != kNoWindow && Find(old)) {
    Deliver(Message{old, msg::kNcActivate, 0, 0});
    Deliver(Message{old, msg::kActivate, 0, static_cast<std::intptr_t>(window)});
    Deliver(Message{old, msg::kKillFocus, window, 0});
  }
  if (focus_ != window || !Find(window)) return;
  if (!from_desktop && !(Style(window) & kStylePopup)) backend_->RaiseNativeWindow(window, true);
  Deliver(Message{window, msg::kNcActivate, 1, 0});
  Deliver(Message{window, msg::kActivate, 1, static_cast<std::intptr_t>(old)});
  Deliver(Message{window, msg::kSetFocus, old, 0});
}

void WindowCore::Deactivate() {
  WindowId old = focus_;
  focus_ = kNoWindow;
  // Keys and buttons released elsewhere never report here.
  keys_down_.clear();
  buttons_ = 0;
  if (move_drag_.window != kNoWindow) EndMoveDrag();
  if (capture_ != kNoWindow) ReleaseCapture();
  if (old == kNoWindow || !Find(old)) return;
  Deliver(Message{old, msg::kNcActivate, 0, 0});
  Deliver(Message{old, msg::kActivate, 0, 0});
  Deliver(Message{old, msg::kKillFocus, 0, 0});
}

WindowId WindowCore::SetFocus(WindowId window) {
  WindowId old = focus_;
  if (window == kNoWindow) {
    Deactivate();
  } else if (Find(window)) {
    Activate(window, false);
  }
  return old;
}

WindowId WindowCore::SetCapture(WindowId window) {
  WindowId old = capture_;
  if (!Find(window) || old == window) return old;
  capture_ = window;
  if (old == kNoWindow) {
    backend_->CaptureMouse(true);
  } else {
    Deliver(Message{old, msg::kCaptureChanged, 0, static_cast<std::intptr_t>(window)});
  }
  return old;
}

bool WindowCore::ReleaseCapture() {
  WindowId old = capture_;
  if (old == kNoWindow) return false;
  capture_ = kNoWindow;
  backend_->CaptureMouse(false);
  Deliver(Message{old, msg::kCaptureChanged, 0, 0});
  return true;
}

bool WindowCore::TrackMouseEvent(WindowId window, std::uint32_t flags, Milliseconds hover_time) {
  if (flags & kTrackCancel) {
    if (tracking_.window == window) {
      if (flags & kTrackLeave) tracking_.leave = false;
      if (flags & kTrackHover) tracking_.hover = false;
      if (!tracking_.leave && !tracking_.hover) tracking_ = {};
    }
    return true;
  }
  if (!Find(window)) return false;
  if (tracking_.window != window) tracking_ = {};
  tracking_.window = window;
  if (flags & kTrackLeave) {
    if (pointer_window_ != window) {
      queue_.Post(Message{window, msg::kMouseLeave, 0, 0});
    } else {
      tracking_.leave = true;
    }
  }
  if (flags & kTrackHover) {
    tracking_.hover = true;
    tracking_.hover_time = hover_time;
    tracking_.anchor = ScreenToClient(window, cursor_pos_);
    pointer_client_ = tracking_.anchor;
    tracking_.hover_due = clock_->Now() + hover_time;
  }
  if (!tracking_.leave && !tracking_.hover) tracking_ = {};
  return true;
}

void WindowCore::SetCursor(CursorShape shape) {
  backend_->SetCursorShape(shape);
}

void WindowCore::StartTextInput(WindowId window, const Rect& caret) {
  if (!Find(window)) return;
  text_input_ = window;
  backend_->StartTextInput(window, caret);
}

void WindowCore::StopTextInput() {
  if (text_input_ == kNoWindow) return;
  text_input_ = kNoWindow;
  composition_ = {};
  backend_->StopTextInput();
}

}  // namespace platform
