#pragma once
// Windows on a real display through SDL2. Each window shows its Cairo surface
// through SDL's window framebuffer (shared memory on X11); a window with
// per-pixel alpha gets the X server's 32-bit visual when there is one. Posts
// from other threads wake the UI thread with an SDL user event.
#include <SDL.h>

#include <atomic>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/window/WindowBackend.h"

namespace platform {

class SdlBackend final : public WindowBackend {
 public:
  // False, with SDL's reason in *error, when no display can be opened.
  bool Open(std::string* error);
  ~SdlBackend() override;

  std::string_view Name() const override { return "sdl"; }
  bool CreateNativeWindow(WindowId window, const WindowParams& params) override;
  void DestroyNativeWindow(WindowId window) override;
  void ShowNativeWindow(WindowId window, ShowCommand command) override;
  void SetNativeBounds(WindowId window, const Rect& screen) override;
  void SetNativeTitle(WindowId window, const std::string& title) override;
  bool SetNativeOpacity(WindowId window, std::uint8_t alpha) override;
  void RaiseNativeWindow(WindowId window, bool activate) override;
  void Present(WindowId window, cairo_surface_t* surface, const Rect& damage) override;
  void SetCursorShape(CursorShape shape) override;
  void CaptureMouse(bool capture) override;
  void StartTextInput(WindowId window, const Rect& caret_client) override;
  void StopTextInput() override;
  bool SetClipboardText(const std::string& text) override;
  std::string ClipboardText() const override;
  std::vector<Monitor> Monitors() const override;
  std::optional<Point> GlobalPointer() const override;
  bool SupportsPerPixelAlpha() const override { return !argb_visual_.empty(); }
  bool Wait(std::optional<Milliseconds> timeout, BackendEvents& events) override;
  void Wake() override;

 private:
  SDL_Window* Native(WindowId window) const;
  WindowId FromSdl(Uint32 sdl_id) const;
  void Translate(const SDL_Event& event, BackendEvents& events);
  void TranslateWindowEvent(const SDL_WindowEvent& event, BackendEvents& events);
  void TranslateDrop(const SDL_DropEvent& event, BackendEvents& events);
  Point PointerIn(WindowId window) const;

  bool open_ = false;
  Uint32 wake_event_ = 0;
  std::atomic<bool> wake_pending_{false};
  std::string argb_visual_;
  std::map<WindowId, SDL_Window*> windows_;
  std::map<Uint32, WindowId> by_sdl_id_;
  std::map<CursorShape, SDL_Cursor*> cursors_;
  std::map<WindowId, std::vector<std::string>> drops_;
  std::set<WindowId> no_activate_;  // shown without taking the focus
};

}  // namespace platform
