#pragma once
// The inline editor of the list controls: a text field over an item (or over
// its owner) whose every change becomes the owner's title and notification
// 26. Enter ends editing through the owner's SetControlFocus(0); Escape puts
// the title back as it was and ends the same way. When it goes, the owner is
// repainted and its editing flag cleared.
//
// The owner keeps it in a unique_ptr, draws it after itself (DrawControl)
// and hands it the mouse inside its rectangle; see TextField.h. A typical
// owner:
//
//   editor_ = std::make_unique<CEditWindow>(this, item_rect, &editing_);
//   editor_->SetLimitText(20);
//   editor_->Start();                 // shown, focused, everything selected
//   ...
//   int SetControlFocus(int focus) override {
//     if (!focus && editor_ && editor_->EndEdit()) {
//       editor_.reset();              // repaints the owner, clears editing_
//       SendMessageW(kNotifyEditEnded);
//     }
//     ...
//   }
#include <string>

#include "uilib/controls/TextField.h"

namespace tumi {

class MControlFont;

class CEditWindow : public TextField {
 public:
  // An empty rectangle: the owner's, 6 pixels in at the sides, one line high
  // and vertically centred. `editing` (may be null) is set while the editor
  // lives.
  CEditWindow(MControlFont* owner, const Rect& rect, int* editing, unsigned id = 0);
  ~CEditWindow() override;

  const char* GetClassNameW() const override { return "QelEditWindow"; }
  const char* GetSuperClassName() const { return "Edit"; }

  // Takes the owner's title and font, shows the editor and starts editing
  // with everything selected.
  void Start();
  MControlFont* GetOwner() const { return owner_; }

 private:
  static Rect Place(const MControlFont* owner, const Rect& rect);

  MControlFont* owner_;
  int* editing_;
  std::string original_;
};

}  // namespace tumi
