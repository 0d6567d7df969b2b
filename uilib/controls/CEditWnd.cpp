#include "uilib/controls/CEditWnd.h"

#include "platform/window/MessageIds.h"
#include "uilib/controls/MEdit.h"

namespace tumi {

CEditWnd::CEditWnd(MEdit* edit, unsigned id, const Rect& rect)
    : TextField(edit, id, rect), edit_(edit) {
  SetOnChange([this] { edit_->OnEditChanged(); });
}

long CEditWnd::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (!IsEditing()) return 0;
  // A field whose page was hidden under it stops taking the keys.
  if (!edit_->IsVisible() || !edit_->IsParentVisible()) {
    edit_->HideEdit();
    return 0;
  }
  if (message == platform::msg::kChar && !edit_->GetCharMessage()) return 1;
  return TextField::OnWindowMessage(message, wparam, lparam);
}

}  // namespace tumi
