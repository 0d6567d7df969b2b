#include "uilib/controls/CEditWindow.h"

#include <algorithm>

#include "uilib/core/MControlFont.h"

namespace tumi {

namespace {
constexpr int kSideInset = 6;
}  // namespace

Rect CEditWindow::Place(const MControlFont* owner, const Rect& rect) {
  if (!rect.IsEmpty() || !owner) return rect;
  const Rect& r = owner->GetRect();
  int height = owner->GetFontWidth() + 2;
  int top = r.top + (r.Height() - height) / 2 + 1;
  return Rect{r.left + kSideInset, top, r.right - kSideInset, top + height};
}

CEditWindow::CEditWindow(MControlFont* owner, const Rect& rect, int* editing, unsigned id)
    : TextField(owner, id, Place(owner, rect)), owner_(owner), editing_(editing) {
  if (editing_) *editing_ = 1;
  if (!owner_) return;
  SetManager(owner_->GetManager());
  SetOnChange([this] {
    if (owner_->GetControlTitle() == GetText()) return;
    owner_->SetControlTitle(GetText());
    owner_->SendMessageW(kNotifyTextChanged);
    owner_->UpdateControl(1, 0);
  });
  SetOnEnter([this] { owner_->SetControlFocus(0); });
  SetOnEscape([this] {
    if (GetText() != original_) {
      SetText(original_);
      owner_->SetControlTitle(original_);
      owner_->SendMessageW(kNotifyTextChanged);
    }
    owner_->SetControlFocus(0);
  });
}

CEditWindow::~CEditWindow() {
  EndEdit();
  if (editing_) *editing_ = 0;
  if (owner_) owner_->UpdateControl(1, 0);
}

void CEditWindow::Start() {
  if (owner_) {
    FontSpec font = owner_->GetFontSpec();
    SetFont(font);
    SetTextColor(owner_->GetTextColor());
    SetAlignment(static_cast<int>(owner_->GetAlignment()));
    original_ = owner_->GetControlTitle();
    SetText(original_);
    SetControlEnabled(owner_->IsEnabled());
    // A line box lower than the font's line would clip the glyphs.
    int line = LineHeight();
    if (rect_.Height() < line) {
      int grow = line - rect_.Height();
      SetControlRect(
          Rect{rect_.left, rect_.top - grow / 2, rect_.right, rect_.bottom + grow - grow / 2});
    }
  }
  SetControlVisible(1);
  BeginEdit(true);
}

}  // namespace tumi
