#pragma once
// A soft drop shadow around a window: a per-pixel-alpha tool window behind
// it that follows it. The owner's paint manager hands it the window's moves,
// sizes, shows and hides (OnParentMessage), so nothing hooks the window.
#include <cstdint>
#include <memory>
#include <string>

#include "uilib/core/Color.h"
#include "uilib/core/Image.h"
#include "uilib/core/MRender.h"
#include "uilib/core/MWindow.h"

namespace tumi {

class PaintManager;

class MShadow : public MWindow {
 public:
  MShadow() = default;
  ~MShadow() override;

  // Creates the shadow window for the manager's window when shown is set.
  bool Create(PaintManager* manager);
  void ShowShadow(bool show) { show_ = show; }
  bool IsShowShadow() const { return show_; }
  void DisableShadow(bool disable) { disabled_ = disable; }
  bool IsDisableShadow() const { return disabled_; }

  // 0 for a value out of range (the old one stays); 1 when stored.
  int SetSize(int size);            // -35 .. 35
  int SetSharpness(int sharpness);  // 0 .. 35
  int SetDarkness(int darkness);    // 0 .. 255
  int SetPosition(int x, int y);    // -35 .. 35 each
  int SetColor(ColorRef color);
  int SetImage(const std::string& skin_name);
  int SetShadowCorner(Margins corner);

  int GetSize() const { return size_; }
  int GetSharpness() const { return sharpness_; }
  int GetDarkness() const { return darkness_; }
  Point GetOffset() const { return {x_offset_, y_offset_}; }

  // The parent window's messages that move, size, show or hide it.
  void OnParentMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  // Redraws and places the shadow for the parent's current rectangle.
  void Update();
  // Where the shadow window goes for a parent at this screen rectangle.
  Rect ShadowRect(const Rect& parent) const;

  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;

 protected:
  std::uint32_t WindowStyle() const override {
    return platform::kStyleTool | platform::kStylePerPixelAlpha | platform::kStyleNoActivate;
  }

 private:
  void Redraw();
  void Paint();
  bool ImageMode() const { return image_ != nullptr; }

  WindowId parent_ = platform::kNoWindow;
  int darkness_ = 150;
  int sharpness_ = 5;
  int size_ = 0;
  int x_offset_ = 5;
  int y_offset_ = 5;
  ColorRef color_ = 0;
  std::shared_ptr<const Image> image_;
  Margins corner_;
  bool show_ = false;
  bool disabled_ = false;
  std::shared_ptr<Image> picture_;
};

}  // namespace tumi
