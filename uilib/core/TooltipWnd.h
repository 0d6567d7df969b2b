#pragma once
// The tooltip of a window: a small topmost popup that never takes the focus,
// with the text on white in a grey frame, at most 256 pixels wide (a longer
// text ends in an ellipsis).
#include <string>

#include "uilib/core/MWindow.h"

namespace tumi {

class TooltipWnd : public MWindow {
 public:
  static constexpr int kMaxWidth = 256;
  static constexpr int kPadding = 4;

  TooltipWnd() = default;
  ~TooltipWnd() override;

  // Shows the text with its top left corner at the screen point, owned by the
  // window.
  void ShowAt(WindowId owner, const std::string& text, Point screen);
  void SetText(const std::string& text);
  void Hide();
  bool IsShown() const;
  const std::string& Text() const { return text_; }

  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;

 protected:
  std::uint32_t WindowStyle() const override {
    return platform::kStylePopup | platform::kStyleTopmost | platform::kStyleNoActivate;
  }

 private:
  Size Measure() const;
  void Draw();

  std::string text_;
  Point at_;
};

}  // namespace tumi
