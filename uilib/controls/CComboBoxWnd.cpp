#include "uilib/controls/CComboBoxWnd.h"

#include <memory>

#include "platform/window/VirtualKeys.h"

namespace tumi {

CComboBoxWnd::CComboBoxWnd(MObject* combo, unsigned scroll_v, unsigned scroll_h) {
  SetParent(combo);
  SetScrollResID(scroll_v, scroll_h);
}

bool CComboBoxWnd::Open(WindowId owner, const Rect& screen) {
  return MWindow::Create(owner, "ComboWnd", WindowStyle(), screen) != platform::kNoWindow;
}

std::intptr_t CComboBoxWnd::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                            std::intptr_t lparam) {
  if (message == platform::msg::kKeyDown && wparam == platform::vk::kEscape) {
    CloseWindow();
    return 1;
  }
  return MPopupWnd::OnWindowMessage(message, wparam, lparam);
}

void CComboBoxWnd::InitUI(const Rect& client) {
  pm_.SetLayeredWindow(1);
  Rect area{client.left + 3, client.top + 6, client.right - 3, client.bottom - 6};
  list_ = static_cast<CComboBoxList*>(
      pm_.AddControl(std::make_unique<CComboBoxList>(this, kListId, area, 1, 1)));
}

long CComboBoxWnd::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                             std::intptr_t lparam) {
  if (id != kListId || code != kNotifyActivated || lparam != CComboBoxList::kPickMarker) return 0;
  // Closing is posted, so the list's release finishes before the window goes.
  CloseWindow();
  if (MObject* combo = GetParent()) combo->OnBaseMessage(0, code, wparam, lparam);
  return 1;
}

int CComboBoxWnd::OnDestroy() {
  list_ = nullptr;
  SendMessageToParent(kNotifyClosed, 0, 0);
  return 0;
}

}  // namespace tumi
