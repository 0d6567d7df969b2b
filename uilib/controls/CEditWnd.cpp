#include "uilib/controls/CEditWnd.h"

#include "platform/window/MessageIds.h"
#include "uilib/controls/MEdit.h"

namespace tumi {

CEditWnd::CEditWnd(MEdit* edit, unsigned id, const Rect& rect)
    : TextField(edit, id, rect), edit_(edit) {
  SetOnChange([this] { edit_->OnEditChanged(); });
}

long CEditWnd::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == platform::msg::kChar && IsEditing() && !edit_->GetCharMessage()) return 1;
  return TextField::OnWindowMessage(message, wparam, lparam);
}

}  // namespace tumi
