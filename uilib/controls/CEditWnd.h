#pragma once
// The editor an MEdit shows while the user types: a text field configured
// from its MEdit. Each change of the text is copied into the MEdit, which
// reports it (26). With the MEdit's character-message flag cleared, typed
// characters are swallowed (editing keys and the clipboard still work).
#include "uilib/controls/TextField.h"

namespace tumi {

class MEdit;

class CEditWnd : public TextField {
 public:
  CEditWnd(MEdit* edit, unsigned id, const Rect& rect);

  const char* GetClassNameW() const override { return "QelEditWindow"; }
  const char* GetSuperClassName() const { return "Edit"; }
  MEdit* GetEdit() const { return edit_; }

  long OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  MEdit* edit_;
};

}  // namespace tumi
