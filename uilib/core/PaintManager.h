#pragma once
// The engine of one window: its top-level controls (an area list drawn first,
// then the control list, whose last entry is on top), hover and focus, input
// routing to the controls, painting through the window's back buffer, control
// timers and the shared dialog timer, the tooltip, the status message box, the
// caret of rich edits and the window's skin image cache.
//
// UI thread, except: the dialog timer ticks on its own thread and walks the
// timer-control list under its lock; OnControlUpdate and Invalidate may be
// called from any thread (a request from another thread is queued under a
// lock and handled on the UI thread, which a posted message wakes).
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window/WindowSystem.h"
#include "uilib/core/Color.h"
#include "uilib/core/ImageCache.h"
#include "uilib/core/MControl.h"
#include "uilib/core/MWindow.h"
#include "uilib/core/Rect.h"

namespace tumi {

class MShadow;
class TooltipWnd;

enum enumBackMode { kBackNatural = 0, kBackNinePatch = 1 };
enum MsgLevel { kMsgInfo = 0, kMsgWarning = 1, kMsgError = 2 };

// Window timer ids the paint manager keeps for itself.
inline constexpr std::uintptr_t kTimerMessageHold = 66;
inline constexpr std::uintptr_t kTimerMessageFade = 88;
inline constexpr std::uintptr_t kTimerProgress = 99;
inline constexpr std::uintptr_t kTimerCaret = 6553;
inline constexpr std::uintptr_t kTimerTooltip = 6554;
// Posted to the window when another thread asked for a repaint.
inline constexpr std::uint32_t kMsgPendingUpdates = 0x7E01;
inline constexpr int kTooltipDelayMs = 500;

class MAirBladder;

// What the bubble tip was last asked to show.
struct BubbleRequest {
  std::string text;
  Point point;
  int type = 0;
  int mode = 0;
};

// Sees each message of a window before its controls do (drag and drop hooks
// in here); true takes the message. Owned by the window's paint manager.
class WindowMessageFilter {
 public:
  virtual ~WindowMessageFilter() = default;
  virtual bool FilterMessage(std::uint32_t message, std::uintptr_t wparam,
                             std::intptr_t lparam) = 0;
};

class PaintManager {
 public:
  PaintManager();
  ~PaintManager();
  PaintManager(const PaintManager&) = delete;
  PaintManager& operator=(const PaintManager&) = delete;

  // Binds the manager to its window and owner (the dialog or popup, which is
  // also the parent object of its top-level controls).
  void Init(WindowId window, MWindow* owner, MObject* owner_object);
  // Frees the controls, timers, caches and images of the window. Once.
  void DestroyData();
  std::intptr_t OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  int PreTranslateMessage(const platform::Message& message);
  void OnDestroyMessage(WindowId window) {
    if (window == window_) DestroyData();
  }

  // Any thread.
  void Invalidate();
  void InvalidateRect(const Rect& rect);
  std::intptr_t SendMessageW(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  bool PostMessageW(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);
  Rect GetClientRect() const;
  Rect GetWindowRect() const;
  Size GetClientSize() const;
  WindowId GetPaintWnd() const { return window_; }
  MWindow* GetMDialog() const { return owner_; }
  bool IsInitialised() const { return initialised_ != 0; }

  void SetCaptionRect(const Rect& rect) { caption_ = rect; }
  const Rect& GetCaptionRect() const { return caption_; }
  void SetWindowMaxSize(int cx, int cy) { max_size_ = {cx, cy}; }
  void SetWindowMixSize(int cx, int cy) { min_size_ = {cx, cy}; }
  Size GetWindowManSize() const { return min_size_; }
  Size GetWindowMinSize() const { return min_size_; }
  Size GetWindowMaxSize() const { return max_size_; }
  void SetCapture();
  void ReleaseCapture();
  int IsCaptured() const { return captured_; }
  void SetLayeredWindow(int layered) { layered_ = layered; }
  int IsLayered() const { return layered_; }
  void EnableWndDrag(int enable) { window_drag_ = enable; }
  void SetBackColor(ColorRef inner, ColorRef border) {
    back_inner_ = inner;
    back_border_ = border;
  }
  void SetBackMode(enumBackMode mode, int corner) {
    back_mode_ = mode;
    back_corner_ = corner;
  }
  // A skin image as the window background; 1 on success.
  int LoadBKImage(const std::string& name);
  void SetScrollResID(unsigned vertical, unsigned horizontal) {
    scroll_v_ = vertical;
    scroll_h_ = horizontal;
  }
  unsigned GetScrollVID() const { return scroll_v_; }
  unsigned GetScrollHID() const { return scroll_h_; }
  void SetDefaultEnabledColor(ColorRef color) { default_enabled_color_ = color; }
  ColorRef GetDefaultEnabledColor() const { return default_enabled_color_; }

  // Controls. The factory creates by class name (null for an unknown one).
  MControl* CreateArea(MObject* parent, const std::string& class_name, unsigned id,
                       const Rect& rect, const std::string& title, int visible, int enabled);
  MControl* CreateControl(MObject* parent, const std::string& class_name, unsigned id,
                          const Rect& rect, const std::string& title, int visible, int enabled);
  // Takes ownership of a control built directly.
  MControl* AddArea(std::unique_ptr<MControl> control);
  MControl* AddControl(std::unique_ptr<MControl> control);
  MControl* GetControl(unsigned id);
  std::vector<MControl*>* GetControls() { return &controls_; }
  std::vector<MControl*> ControlsSnapshot() const;
  std::vector<MControl*> AreasSnapshot() const;
  int RemoveControl(MControl* control);
  void ClearAreaControls();
  void ClearControls();
  void ClearAllControls();
  // Takes a control that is leaving the window out of every reference the
  // manager holds (hover, focus, tooltip, caret, timers, queued repaints),
  // descendants included, then frees it: at once, or after the input
  // dispatch running now.
  void Retire(MControl* control);
  // What a control's destructor calls: every reference to it is dropped.
  void ForgetControl(MControl* control);

  void SetFocusControl(MControl* control);
  MControl* GetFocusControl() const { return focus_; }
  MControl* GetHoverControl() const { return hover_; }
  // The control that holds the keyboard while the user types into it, as a
  // native edit window would: key, character and composition messages reach
  // its OnWindowMessage before anything else, and those it takes (non-zero)
  // go no further. Null gives the keyboard back.
  void SetKeyboardOwner(MControl* control) { keyboard_owner_ = control; }
  void SetMessageFilter(std::unique_ptr<WindowMessageFilter> filter) {
    message_filter_ = std::move(filter);
  }
  WindowMessageFilter* GetMessageFilter() const { return message_filter_.get(); }
  MControl* GetKeyboardOwner() const { return keyboard_owner_; }
  MControl* GetNextFocusableControl();
  MControl* GetPrevFocusableControl();

  // Any thread.
  long OnControlUpdate(const Rect& rect, int redraw, MControl* control);

  // Control timers: window timers whose ticks run the control's OnTimer.
  int SetTimer(MControl* control, unsigned key, int period_ms);
  int KillTimer(MControl* control, unsigned key);
  int KillTimer(MControl* control);
  void ClearTimers();
  std::uintptr_t TimerIdOf(MControl* control, unsigned key) const;

  // The shared dialog timer and the controls it drives.
  int SetMTimer(int period_ms);
  void KillMTimer(int timer_id);
  void KillMTimer();
  void AddMTimer(MControl* control);
  int DeleteQelTimer(MControl* control);
  void OnMTimer(int timer_id);

  // Caret of a text control (drawn in the owner's colour).
  void CreateCaret(int width, int height);
  void SetCaretPos(MControl* owner, int x, int y, Argb color);
  void ShowCaret(int show);
  void DrawCaret(cairo_t* cr, const Rect& clip);
  MControl* GetCurrentCaretObject() const { return caret_owner_; }
  const Rect& GetCaretRect() const { return caret_rect_; }

  // Tooltip: shown after a short rest of the pointer, hidden by the next
  // button press or wheel turn.
  int SetTooltip(const std::string& text, const Rect& rect);
  void ClearTooltip();
  void SetTooltipCtrlID(int id) { tooltip_owner_id_ = id; }
  int GetTooltipCtrlID() const { return tooltip_owner_id_; }
  void SetTooltipOwner(MControl* owner);
  MControl* GetTooltipOwner() const { return tooltip_owner_; }
  // The tooltip window, null until one was shown.
  TooltipWnd* GetTooltipWindow() const { return tooltip_.get(); }
  const std::string& GetTooltipText() const { return tooltip_text_; }

  int SetAirBladderMsg(const std::string& text, Point point, int type, int mode);
  int ShowAirBladder(int show, int owner_key);
  const BubbleRequest& LastBubble() const { return bubble_; }
  // The bubble window, null until a bubble was asked for.
  MAirBladder* GetAirBladder() const { return bubble_window_.get(); }

  // The status message and progress box.
  void SetMessage(const std::string& text, const Rect& box, MsgLevel level);
  void SetProgress(int percent, const std::string& text, const Rect& box);
  const Rect& GetMessageBox() const { return message_box_; }
  int GetMessageAlpha() const { return message_alpha_; }
  int GetShownProgress() const { return shown_progress_; }
  const std::string& GetMessageText() const { return message_text_; }

  // The skin image cache of the window (shared by all its controls).
  const ImgResInfo* AddImgResInfo(const std::string& name, int frame_count);
  void ClearImgResInfo();
  ImageCache& Images() { return *images_; }
  // The library font family (the name is not used: every control draws in
  // the library-wide font).
  std::string FindTempFont(const std::string& name) const;

  MShadow& Shadow() { return *shadow_; }
  // Shows (or not) a drop shadow around the window.
  bool CreateShadow(bool show);

  // Paints the damaged part of the window now (also what kPaint does); 0 when
  // there was nothing to paint.
  int Paint();

 private:
  struct ControlTimer {
    MControl* control = nullptr;
    unsigned key = 0;
    std::uintptr_t id = 0;
    bool killed = false;
  };
  struct PendingUpdate {
    Rect rect;
    int redraw = 0;
    MControl* control = nullptr;
  };
  class DispatchScope;

  platform::WindowSystem* System() const;
  MControl* Adopt(std::unique_ptr<MControl> control, bool area);
  void Unregister(MControl* control);
  void FreeGraveyard();
  void ForgetOne(MControl* control);
  void ClearList(std::vector<MControl*>& list, std::recursive_mutex& lock);
  void ApplyUpdate(const Rect& rect, int redraw, MControl* control);
  void RunPendingUpdates();
  std::uintptr_t NextTimerId() const;
  void OnTimerMessage(std::uintptr_t id);
  void StepProgress();
  void DrawStatus(cairo_t* cr);
  void DrawBackground(cairo_t* cr);
  void DrawControls(cairo_t* cr, const Rect& clip);
  void ShowTooltipNow();

  // Input
  void OnMouseMove(unsigned flags, Point p);
  void OnButtonDown(bool left, unsigned flags, Point p);
  void OnButtonUp(bool left, unsigned flags, Point p);
  void OnDoubleClick(bool left, unsigned flags, Point p);
  void OnMouseLeave();
  void OnActivation(bool active);
  int OnWheel(std::uintptr_t wparam, std::intptr_t lparam);
  void OnKey(int key);
  int ModifierCode() const;
  bool Usable(const MControl* c) const { return c && c->IsVisible() && c->GetRresponse(); }

  MWindow* owner_ = nullptr;
  MObject* owner_object_ = nullptr;
  int initialised_ = 0;
  WindowId window_ = platform::kNoWindow;
  ColorRef back_inner_ = 0x130D09;
  ColorRef back_border_ = 0x555028;
  Rect caption_;
  Size max_size_;
  Size min_size_;
  int layered_ = 0;
  std::shared_ptr<const Image> back_image_;
  enumBackMode back_mode_ = kBackNatural;
  int back_corner_ = 4;
  std::unique_ptr<MShadow> shadow_;

  std::string message_text_;
  MsgLevel message_level_ = kMsgInfo;
  int message_alpha_ = 0;
  int shown_progress_ = 0;
  int target_progress_ = 0;
  Rect message_box_;

  int mtimer_id_ = 0;
  std::uintptr_t last_timer_id_ = 4096;
  int active_ = 0;
  int tracking_ = 0;
  int lbutton_down_ = 0;
  int dblclk_ = 0;
  int rbutton_down_ = 0;
  int rdblclk_ = 0;
  int captured_ = 0;
  int window_drag_ = 1;
  unsigned scroll_v_ = 0;
  unsigned scroll_h_ = 0;
  MControl* hover_ = nullptr;
  MControl* focus_ = nullptr;
  MControl* keyboard_owner_ = nullptr;
  std::unique_ptr<WindowMessageFilter> message_filter_;

  std::string tooltip_text_;
  int tooltip_owner_id_ = 0;
  MControl* tooltip_owner_ = nullptr;
  std::unique_ptr<TooltipWnd> tooltip_;
  BubbleRequest bubble_;
  int bubble_owner_ = 0;
  std::unique_ptr<MAirBladder> bubble_window_;

  mutable std::recursive_mutex areas_lock_;
  std::vector<MControl*> areas_;
  mutable std::recursive_mutex controls_lock_;
  std::vector<MControl*> controls_;
  mutable std::recursive_mutex timer_controls_lock_;
  std::vector<MControl*> timer_controls_;

  Rect caret_rect_;
  int caret_phase_ = 0;
  int caret_shown_ = 0;
  MControl* caret_owner_ = nullptr;
  Argb caret_color_ = 0xFFFFFFFF;

  std::unique_ptr<ImageCache> images_;
  mutable std::recursive_mutex timers_lock_;
  std::vector<ControlTimer> timers_;
  ColorRef default_enabled_color_ = 0x808080;

  std::mutex pending_lock_;
  std::vector<PendingUpdate> pending_;
  bool pending_posted_ = false;

  int dispatch_depth_ = 0;
  std::vector<MControl*> graveyard_;
};

}  // namespace tumi
