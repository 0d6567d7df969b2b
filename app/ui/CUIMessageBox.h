#pragma once
// The program's skinned message and confirmation box: a title, a message and
// either one OK button (type 0) or OK and Cancel (other types).
#include <string>

#include "uilib/core/MDialog.h"

namespace tessaro {

class CUIMessageBox final : public tumi::MDialog {
 public:
  static constexpr int kWidth = 380;
  static constexpr int kHeight = 200;
  static constexpr const char* kTitle = "MessageBox";
  static constexpr const char* kBackground = "bk_prompt.png";
  static constexpr int kBackgroundCorner = 30;
  enum Control : unsigned {
    kTitleText = 31,
    kMessageText = 32,
    kOkButton = 33,
    kCancelButton = 34
  };
  // Button texts.
  static constexpr int kTextOkAlone = 20;
  static constexpr int kTextOk = 23;
  static constexpr int kTextCancel = 25;

  void SetTitle(const std::string& title) { title_ = title; }
  void SetText(const std::string& text) { text_ = text; }
  void SetType(int type) { type_ = type; }
  int Type() const { return type_; }

  void InitUI(const tumi::Rect& client) override;
  int OnInitDialog() override;
  long OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) override;

 private:
  std::string title_;
  std::string text_;
  int type_ = 0;
};

// Shows a message box modally over the parent: 1 when OK was pressed, 2 for
// Cancel. A box closed from outside ends with the close's own result, which
// the close-popups step makes 2, so callers never take it for a yes.
unsigned ShowMessageBox(tumi::WindowId parent, const std::string& title, const std::string& text,
                        int type);

}  // namespace tessaro
