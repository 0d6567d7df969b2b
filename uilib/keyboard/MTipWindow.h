#pragma once
// What the bubble tip and the key tip share: a small borderless window over
// the owner that never takes the focus, drawn with per-pixel alpha from the
// skin's background stretched as a nine-patch with the text on top, and hidden
// by its timer 10 or when the owner loses the activation.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "uilib/core/Image.h"
#include "uilib/core/MWindow.h"

namespace tumi {

class MTipWindow : public MWindow {
 public:
  // The timer that hides a shown tip, and how long a tip stays.
  static constexpr std::uintptr_t kHideTimer = 10;
  static constexpr int kHideDelayMs = 5000;
  // A tip of this mode stays when the owner loses the activation.
  static constexpr int kModeKeepOnDeactivate = 5;
  static constexpr int kBackgroundCorner = 6;

  MTipWindow() = default;
  ~MTipWindow() override;

  // Makes the window, hidden, at position and size 0, owned by `owner`; the
  // existing window when there is one.
  WindowId CreateTip(WindowId owner, const std::string& title);

  // Skin images by name; 1 when loaded, 0 otherwise (the old one stays).
  int LoadBKImage(const std::string& name);
  // Kept for callers; they take no part in drawing.
  void SetBackMode(int mode, int value) {
    back_mode_ = mode;
    back_value_ = value;
  }
  int GetBackMode() const { return back_mode_; }
  int GetBackValue() const { return back_value_; }
  // Asks the window to close (kClose), when it exists.
  void CloseWindow();

  // The owner window lost the activation: the stand-in for the tip losing
  // the focus, since a tip never holds it.
  void OnOwnerDeactivated() { OnKillFocus(); }

  int GetType() const { return type_; }
  int GetMode() const { return mode_; }
  // The library's own font family, looked up on first use.
  const std::string& GetFontFamily();

  // MWindow
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;
  int PreTranslateMessage(const platform::Message& /*message*/) override { return 0; }
  int OnInitDialog() override;

 protected:
  std::uint32_t WindowStyle() const override;

  virtual long OnUserCloseWindow(std::uintptr_t wparam, std::intptr_t lparam);
  virtual int OnSize();
  virtual int OnKillFocus();
  virtual void OnTimer(std::uintptr_t id);
  virtual void OnPaint();
  // The tip's text over the background, on a w x h window.
  virtual void DrawText(cairo_t* cr, int width, int height) = 0;

  // Moves the window (when it exists) and repaints it.
  void PlaceWindow(const Rect& screen);
  static std::shared_ptr<const Image> LoadSkinImage(const std::string& name);

  int type_ = 1;
  int mode_ = 3;
  std::string font_family_;

 private:
  std::shared_ptr<const Image> background_;
  int back_mode_ = 1;
  int back_value_ = 18;
};

}  // namespace tumi
