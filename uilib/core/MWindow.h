#pragma once
// The owner of one window of the window layer. Messages for the window come to
// the virtual OnWindowMessage; the window is named by its id, so a message
// that outlives the window never reaches the object. The object exists before
// and after its window: Create makes the window, its destruction clears the id
// and calls OnDestroyMessage.
#include <cstdint>
#include <string>

#include "platform/window/WindowSystem.h"
#include "uilib/core/Rect.h"

namespace tumi {

using WindowId = platform::WindowId;

class MWindow {
 public:
  // The modal loop's result when there is no window to run.
  static constexpr unsigned kNoModal = 0xFFFFFFFF;

  MWindow();
  virtual ~MWindow();
  MWindow(const MWindow&) = delete;
  MWindow& operator=(const MWindow&) = delete;

  virtual const char* GetWindowClassName() const { return "TumiClient"; }
  virtual int ShowWindow(int show_command);
  // Every message of the window; the base hands it to the default handling.
  virtual std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam);
  // From the modal loop, before dispatch: non-zero consumes the message.
  virtual int PreTranslateMessage(const platform::Message& /*message*/) { return 0; }
  // Called by Create once the window exists (also when creation failed).
  virtual int OnInitDialog() { return 1; }
  virtual void OnDestroyMessage(WindowId /*window*/) {}

  WindowId GetSafeHwnd() const { return window_; }
  WindowId GetParentHwnd() const { return parent_; }

  // A borderless window over the rectangle (screen coordinates), owned by the
  // parent window; the existing window when there is one. kNoWindow when the
  // window layer refuses it.
  WindowId Create(WindowId parent, const Rect& rect = Rect{0, 0, 800, 600});
  WindowId Create(WindowId parent, const std::string& title, std::uint32_t style, const Rect& rect);
  // Shows the window and runs messages until it is gone; the result the
  // window was closed with (the close message's wparam), kNoModal without a
  // window.
  unsigned ShowModal(int show_command = 1);
  void DestroyWindow();
  // Centres the window over `other` (its owner when kNoWindow), kept inside
  // the work area of the nearest monitor.
  void CenterWindow(WindowId other = platform::kNoWindow);
  void BringToTop();

  Rect GetClientRect() const;
  Rect GetWindowRect() const;  // screen coordinates
  bool SetWindowTextW(const std::string& text);
  std::string GetWindowTextW() const;
  bool EnableWindow(bool enable);
  bool IsWindowEnabled() const;
  bool IsWindowVisible() const;
  bool IsIconic() const;
  bool IsZoomed() const;
  void InvalidateRect(const Rect* rect = nullptr);
  WindowId SetCapture();
  bool ReleaseCapture();
  WindowId SetFocus();
  bool SetTimer(std::uintptr_t id, int period_ms);
  bool KillTimer(std::uintptr_t id);
  Point ClientToScreen(Point p) const;
  Rect ClientToScreen(const Rect& r) const;
  Point ScreenToClient(Point p) const;
  Rect ScreenToClient(const Rect& r) const;
  bool MoveWindow(int x, int y, int width, int height);
  bool MoveWindow(const Rect& rect);
  std::intptr_t SendMessageW(std::uint32_t message, std::uintptr_t wparam = 0,
                             std::intptr_t lparam = 0);
  bool PostMessageW(std::uint32_t message, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  static platform::WindowSystem* System();

 protected:
  // Window style bits of the window layer for the kind of window; dialogs are
  // top-level windows, popups and menus override it.
  virtual std::uint32_t WindowStyle() const { return platform::kStyleTopLevel; }
  std::intptr_t DefaultHandling(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);

 private:
  class Handler : public platform::MessageHandler {
   public:
    explicit Handler(MWindow* owner) : owner_(owner) {}
    std::intptr_t OnMessage(const platform::Message& message) override;

   private:
    MWindow* owner_;
  };

  std::intptr_t Route(const platform::Message& message);

  WindowId parent_ = platform::kNoWindow;
  WindowId window_ = platform::kNoWindow;
  Handler handler_{this};
};

platform::Rect ToPlatform(const Rect& r);
Rect FromPlatform(const platform::Rect& r);

}  // namespace tumi
