#pragma once
// The window system over a backend: the state every backend shares (windows
// and their surfaces, the queue, timers, capture, focus, hover and leave
// tracking, double clicks, key state) and the translation of what the
// backend reports into messages. Backends only drive their display.
#include <cairo.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/window/DirtyRegion.h"
#include "platform/window/PostedQueue.h"
#include "platform/window/TimerTable.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowSystem.h"

namespace platform {

class WindowCore : public WindowSystem, protected BackendEvents {
 public:
  WindowCore(std::unique_ptr<WindowBackend> backend, std::unique_ptr<DialogTimer> dialog_timer,
             std::unique_ptr<Clock> clock);
  ~WindowCore() override;
  WindowCore(const WindowCore&) = delete;
  WindowCore& operator=(const WindowCore&) = delete;

  std::string_view BackendName() const override { return backend_->Name(); }
  DialogTimer& GetDialogTimer() override { return *dialog_timer_; }
  Clock& GetClock() override { return *clock_; }

  // Windows
  WindowId Create(const WindowParams& params) override;
  bool Destroy(WindowId window) override;
  bool IsWindow(WindowId window) const override;
  bool Show(WindowId window, ShowCommand command) override;
  bool IsVisible(WindowId window) const override;
  bool IsMinimized(WindowId window) const override;
  bool IsMaximized(WindowId window) const override;
  bool SetBounds(WindowId window, const Rect& screen) override;
  Rect Bounds(WindowId window) const override;
  Point ClientToScreen(WindowId window, Point client) const override;
  Point ScreenToClient(WindowId window, Point screen) const override;
  bool SetTitle(WindowId window, const std::string& title) override;
  std::string Title(WindowId window) const override;
  bool Enable(WindowId window, bool enable) override;
  bool IsEnabled(WindowId window) const override;
  bool SetOpacity(WindowId window, std::uint8_t alpha) override;
  bool Raise(WindowId window) override;
  WindowId Owner(WindowId window) const override;
  std::uint32_t Style(WindowId window) const override;
  std::vector<WindowId> AllWindows() const override;
  bool SupportsPerPixelAlpha() const override { return backend_->SupportsPerPixelAlpha(); }
  void Validate(WindowId window) override;
  std::optional<Rect> UpdateRect(WindowId window) const override;
  PaintContext BeginPaint(WindowId window) override;
  void UpdateWindow(WindowId window) override;
  std::intptr_t DefaultHandling(const Message& message) override;
  void AcceptFiles(WindowId window, bool accept) override;
  std::vector<std::string> TakeDroppedFiles(std::uintptr_t drop_id) override;

  // MessageQueue
  void PostQuit(int code) override;
  void EndLoop(int code) override;
  int LoopDepth() const override { return static_cast<int>(loops_.size()); }
  Fetch NextMessage(Message& message, bool wait) override;
  std::intptr_t Dispatch(const Message& message) override;
  int Pump() override;
  bool IsUiThread() const override;

  // WindowTimers
  bool SetTimer(WindowId window, std::uintptr_t timer_id, Milliseconds period) override;
  bool KillTimer(WindowId window, std::uintptr_t timer_id) override;
  bool HasTimer(WindowId window, std::uintptr_t timer_id) const override;

  // PointerInput
  WindowId SetCapture(WindowId window) override;
  bool ReleaseCapture() override;
  WindowId Capture() const override { return capture_; }
  void SetCursor(CursorShape shape) override;
  Point CursorPos() const override { return cursor_pos_; }
  WindowId WindowUnderPointer() const override { return pointer_window_; }
  bool BeginMoveDrag(WindowId window) override;

  // KeyboardInput
  WindowId SetFocus(WindowId window) override;
  WindowId Focus() const override { return focus_; }
  WindowId ActiveWindow() const override { return focus_; }
  bool IsKeyDown(int virtual_key) const override;
  void StartTextInput(WindowId window, const Rect& caret) override;
  void StopTextInput() override;
  Composition CurrentComposition() const override { return composition_; }

  // Clipboard, Displays
  bool SetClipboardText(const std::string& text) override;
  std::string ClipboardText() const override;
  std::vector<Monitor> Monitors() const override;

 protected:
  void InvalidateRect(WindowId window, std::optional<Rect> client) override;
  bool PostMessage(WindowId window, std::uint32_t message, std::uintptr_t wparam,
                   std::intptr_t lparam) override;
  std::intptr_t SendMessage(WindowId window, std::uint32_t message, std::uintptr_t wparam,
                            std::intptr_t lparam) override;
  LoopResult RunLoopWith(LoopHooks* hooks) override;
  bool TrackMouseEvent(WindowId window, std::uint32_t flags, Milliseconds hover_time) override;

  // BackendEvents
  void OnPointerMove(WindowId window, Point client) override;
  void OnPointerLeave(WindowId window) override;
  void OnButton(WindowId window, MouseButton button, bool down, Point client) override;
  void OnWheel(WindowId window, int delta, Point client) override;
  void OnKey(WindowId window, int virtual_key, int scan_code, bool extended, bool down) override;
  void OnText(WindowId window, const std::string& utf8) override;
  void OnComposition(WindowId window, const Composition& composition) override;
  void OnFocus(WindowId window, bool gained) override;
  void OnCloseRequest(WindowId window) override;
  void OnBoundsChanged(WindowId window, const Rect& screen) override;
  void OnMinimized(WindowId window, bool minimized) override;
  void OnExposed(WindowId window) override;
  void OnDropFiles(WindowId window, const std::vector<std::string>& paths, Point client) override;

  BackendEvents& Events() { return *this; }
  WindowBackend& Backend() { return *backend_; }
  bool RestartTimer(WindowId window, std::uintptr_t timer_id);

 private:
  struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  struct Window {
    WindowId id = kNoWindow;
    WindowParams params;
    Rect restore_bounds;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool enabled = true;
    bool accept_files = false;
    bool destroying = false;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface;
    Rect painting;  // the damage being painted during kPaint
  };
  struct Loop {
    bool ended = false;
    int code = 0;
  };
  struct Tracking {
    WindowId window = kNoWindow;
    bool leave = false;
    bool hover = false;
    Milliseconds hover_time{0};
    Point anchor;  // client point where the pointer came to rest
    Milliseconds hover_due{0};
  };
  struct MoveDrag {
    WindowId window = kNoWindow;
    Point grab;  // the pointer's offset from the window's top-left corner
  };
  struct LastPress {
    WindowId window = kNoWindow;
    MouseButton button = MouseButton::kLeft;
    Point client;
    Milliseconds time{0};
    bool valid = false;
  };

  Window* Find(WindowId window);
  const Window* Find(WindowId window) const;
  void ResizeSurface(Window& w);
  void SetMinimized(Window& w, bool minimized);
  bool FollowMoveDrag(WindowId window, Point client);
  void EndMoveDrag();
  void ApplyBounds(Window& w, const Rect& screen, bool tell_backend);
  void Paint(WindowId window);
  std::optional<Message> TakeSynthesized();
  std::optional<Milliseconds> WaitTimeout() const;
  std::intptr_t Deliver(const Message& message);
  void Activate(WindowId window, bool from_desktop);
  void Deactivate();
  std::uintptr_t MouseKeyFlags() const;
  bool AcceptsInput(WindowId window) const;
  WindowId InputTarget(WindowId window, Point& client) const;
  void PointerAt(WindowId window, Point client);
  void CheckHoverMove(WindowId window, Point client);
  void PostLeave();
  void PostKeyMessage(WindowId target, int virtual_key, int scan_code, bool extended, bool down,
                      bool was_down);

  std::unique_ptr<WindowBackend> backend_;
  std::unique_ptr<DialogTimer> dialog_timer_;
  std::unique_ptr<Clock> clock_;
  std::thread::id ui_thread_;
  PostedQueue queue_;

  // Any thread: which windows exist, and their damage.
  mutable std::mutex shared_mutex_;
  std::set<WindowId> live_;
  std::map<WindowId, DirtyRegion> damage_;

  // UI thread only.
  std::map<WindowId, std::unique_ptr<Window>> windows_;
  WindowId next_id_ = 1;
  std::vector<Loop> loops_;
  TimerTable timers_;
  WindowId capture_ = kNoWindow;
  WindowId focus_ = kNoWindow;
  WindowId pointer_window_ = kNoWindow;
  Point pointer_client_;
  Point cursor_pos_;
  Tracking tracking_;
  LastPress last_press_;
  MoveDrag move_drag_;
  unsigned buttons_ = 0;  // kMk* button bits held
  std::set<int> keys_down_;
  Composition composition_;
  WindowId text_input_ = kNoWindow;
  std::map<std::uintptr_t, std::vector<std::string>> drops_;
  std::uintptr_t next_drop_ = 1;
};

}  // namespace platform
