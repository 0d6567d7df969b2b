#pragma once
// The headless display: each window's presented frame kept in memory, the
// cursor, text input and clipboard as plain state, monitors as set by the
// test, and waiting that either asks the test (the idle handler) or blocks
// until another thread wakes it.
#include <cairo.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "platform/window/WindowBackend.h"

namespace platform {

class HeadlessBackend final : public WindowBackend {
 public:
  HeadlessBackend();

  std::string_view Name() const override { return "headless"; }
  bool CreateNativeWindow(WindowId window, const WindowParams& params) override;
  void DestroyNativeWindow(WindowId window) override;
  void ShowNativeWindow(WindowId, ShowCommand) override {}
  void SetNativeBounds(WindowId, const Rect&) override {}
  void SetNativeTitle(WindowId, const std::string&) override {}
  bool SetNativeOpacity(WindowId window, std::uint8_t alpha) override;
  void RaiseNativeWindow(WindowId, bool) override {}
  void Present(WindowId window, cairo_surface_t* surface, const Rect& damage) override;
  void SetCursorShape(CursorShape shape) override { cursor_ = shape; }
  void CaptureMouse(bool) override {}
  void StartTextInput(WindowId window, const Rect& caret_client) override;
  void StopTextInput() override;
  bool SetClipboardText(const std::string& text) override;
  std::string ClipboardText() const override { return clipboard_; }
  std::vector<Monitor> Monitors() const override { return monitors_; }
  std::optional<Point> GlobalPointer() const override { return std::nullopt; }
  bool SupportsPerPixelAlpha() const override { return true; }
  bool Wait(std::optional<Milliseconds> timeout, BackendEvents& events) override;
  void Wake() override;

  void SetMonitors(const std::vector<Monitor>& monitors) { monitors_ = monitors; }
  void SetIdleHandler(std::function<bool()> handler) { idle_ = std::move(handler); }
  void FailNextWait() { fail_next_wait_ = true; }
  std::uint32_t ShownPixel(WindowId window, Point client) const;
  int PresentCount(WindowId window) const;
  bool SaveShownPng(WindowId window, const std::string& path) const;
  CursorShape Cursor() const { return cursor_; }
  bool TextInputActive() const { return text_input_; }
  Rect TextInputCaret() const { return text_caret_; }
  std::uint8_t Opacity(WindowId window) const;

 private:
  struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  struct Frame {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> shown;
    int presents = 0;
    std::uint8_t opacity = 255;
  };

  std::map<WindowId, Frame> frames_;
  std::vector<Monitor> monitors_;
  CursorShape cursor_ = CursorShape::kArrow;
  bool text_input_ = false;
  Rect text_caret_;
  std::string clipboard_;
  std::function<bool()> idle_;
  bool fail_next_wait_ = false;

  std::mutex wake_mutex_;
  std::condition_variable woken_;
  bool wake_pending_ = false;
};

}  // namespace platform
