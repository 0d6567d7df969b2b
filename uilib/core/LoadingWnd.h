#pragma once
// A busy window: an animated GIF under the program's logo on a translucent
// background, with a close button that tells the owner (message 1524).
#include <map>
#include <memory>
#include <string>

#include "uilib/core/Image.h"
#include "uilib/core/MWindow.h"

namespace tumi {

inline constexpr std::uint32_t kMsgLoadingClosed = 1524;

class LoadingWnd : public MWindow {
 public:
  static constexpr std::uintptr_t kAnimationTimer = 100;
  static constexpr int kAnimationPeriodMs = 18;
  static constexpr int kTicksPerFrame = 2;
  static constexpr int kBoxWidth = 232;
  static constexpr int kBoxHeight = 58;

  LoadingWnd() = default;
  ~LoadingWnd() override;

  // Loads "loading/loading.gif" and "logo/logo_loading.png" from the skin
  // folder and creates the window over the rectangle (screen coordinates).
  WindowId CreateDlg(WindowId owner, const Rect& rect);
  int LoadBKImage(const std::string& name);
  void SetBackMode(int mode) { back_mode_ = mode; }
  int LoadAnimateImage(const std::string& name, int slot);
  // A GIF without frames is dropped; 1 when one was loaded.
  int LoadGifImage(const std::string& name);
  void CloseWindow() {}

  int OnInitDialog() override;
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) override;

  int CurrentFrame() const { return frame_; }
  int FrameCount() const { return frame_count_; }
  int CloseState() const { return close_state_; }
  const Rect& CloseRect() const { return close_rect_; }
  bool IsRunning() const { return running_; }

 protected:
  std::uint32_t WindowStyle() const override {
    return platform::kStyleTool | platform::kStyleTopmost | platform::kStylePerPixelAlpha;
  }

 private:
  static std::shared_ptr<const Image> LoadSkin(const std::string& name);
  void OnAnimationTick();
  void Draw();
  void SetCloseState(int state);

  std::shared_ptr<const Image> back_;
  int back_mode_ = 1;
  std::shared_ptr<const Image> logo_;
  std::map<int, std::shared_ptr<const Image>> animation_;
  std::shared_ptr<const Image> gif_;
  int frame_count_ = 0;
  int frame_ = 0;
  int ticks_ = 0;
  bool running_ = false;
  std::shared_ptr<const Image> close_image_;
  Rect close_rect_;
  int close_state_ = 0;
  bool tracking_ = false;
};

}  // namespace tumi
