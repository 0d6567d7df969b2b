#include "uilib/core/MPopupWnd.h"

#include <algorithm>

namespace tumi {

namespace msg = platform::msg;

MPopupWnd::MPopupWnd() = default;

MPopupWnd::~MPopupWnd() {
  DestroyWindow();
}

std::intptr_t MPopupWnd::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                         std::intptr_t lparam) {
  switch (message) {
    case msg::kCreate:
      OnCreate();
      break;
    case msg::kDestroy:
      OnDestroy();
      break;
    case msg::kSize:
      OnSize(static_cast<int>(wparam), platform::LowWord(static_cast<std::uintptr_t>(lparam)),
             platform::HighWord(static_cast<std::uintptr_t>(lparam)));
      break;
    case msg::kClose:
      OnClose();
      break;
    case msg::kNcActivate:
      OnNcActivate(static_cast<int>(wparam));
      break;
    case msg::kTimer:
      OnTimer(wparam);
      break;
    case msg::kEraseBackground:
      return 1;
    case kMsgCloseRequest:
      return OnUserCloseWindow(wparam, lparam);
    default:
      break;
  }
  if (std::intptr_t result = pm_.OnWindowMessage(message, wparam, lparam)) return result;
  return DefaultHandling(message, wparam, lparam);
}

int MPopupWnd::OnInitDialog() {
  pm_.Init(GetSafeHwnd(), this, this);
  pm_.EnableWndDrag(0);
  InitUI(GetClientRect());
  return 1;
}

void MPopupWnd::OnDestroyMessage(WindowId window) {
  pm_.OnDestroyMessage(window);
  PostNcDestroy();
}

long MPopupWnd::OnUserCloseWindow(std::uintptr_t wparam, std::intptr_t lparam) {
  PostMessageW(msg::kClose, wparam, lparam);
  return 1;
}

void MPopupWnd::CloseWindow() {
  PostMessageW(msg::kClose);
}

int MPopupWnd::OnSize(int /*type*/, int /*width*/, int /*height*/) {
  UISize(GetClientRect());
  InvalidateRect();
  return 0;
}

int MPopupWnd::OnNcActivate(int active) {
  if (!active) PostMessageW(msg::kClose);
  return 0;
}

void MPopupWnd::Popup() {
  ShowWindow(static_cast<int>(platform::ShowCommand::kShow));
  SetFocus();
}

long MPopupWnd::SendMessageToParent(unsigned code, std::uintptr_t wparam, std::intptr_t lparam) {
  return parent_object_ ? parent_object_->OnBaseMessage(0, code, wparam, lparam) : 0;
}

void MPopupWnd::SetupBackTranslucent() {
  if (alpha_ != 255 && System()) {
    System()->SetOpacity(GetSafeHwnd(), static_cast<std::uint8_t>(std::clamp(alpha_, 0, 255)));
  }
}

MControl* MPopupWnd::CreateControl(const std::string& class_name, unsigned id, const Rect& rect,
                                   const std::string& title, int visible, int enabled) {
  return pm_.CreateControl(this, class_name, id, rect, title, visible, enabled);
}

MControl* MPopupWnd::CreateArea(const std::string& class_name, unsigned id, const Rect& rect,
                                const std::string& title, int visible, int enabled) {
  return pm_.CreateArea(this, class_name, id, rect, title, visible, enabled);
}

}  // namespace tumi
