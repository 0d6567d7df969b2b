#pragma once
// The base of every windowless control: a rectangle in the window's client
// area that paints itself into the window's back buffer from its own render
// cache, receives input from the paint manager (or from its parent control)
// and reports what the user did to its parent as notifications.
//
// Thread rule: only the UI thread changes the child lists; the dialog timer's
// thread walks them (OnTimer) under their locks. Repaint requests are never
// made while a child lock is held.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "uilib/core/Color.h"
#include "uilib/core/Image.h"
#include "uilib/core/MObject.h"
#include "uilib/core/Rect.h"

namespace tumi {

class PaintManager;

// Modifier codes of key dispatch: 18 with Alt, else 16 with Shift, or-ed with
// 17 with Ctrl; 0 without modifiers.
inline constexpr int kModAlt = 18;
inline constexpr int kModShift = 16;
inline constexpr int kModCtrl = 17;

// Notification codes a control reports to its parent.
enum NotifyCode : unsigned {
  kNotifyPressed = 1,
  kNotifyActivated = 2,
  kNotifyDoubleClicked = 3,
  kNotifyRightReleased = 5,
  kNotifyCheckChanged = 7,
  kNotifyScrolled = 8,
  kNotifyEditButton = 9,
  kNotifyKeyboardRightClick = 24,
  kNotifyTextChanged = 26,
  kNotifyColorPicked = 27,
  kNotifySpinChanged = 28,
  kNotifyEditEnded = 29,
  kNotifyEditStarted = 30,
  kNotifyEditButtonReleased = 31,
};

// An item's position along one axis, from layout descriptions.
struct QEL_POSITION_ITEM {
  int kind = 0;  // 0 offset from an edge, 1 offset from the centre, 2 percent
  int value = 0;
  int from_far = 0;  // measured from the high edge
};

class MControl : public MObject {
 public:
  MControl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled, int response);
  ~MControl() override;
  MControl(const MControl&) = delete;
  MControl& operator=(const MControl&) = delete;

  const char* GetClassNameW() const override { return "QelControl"; }
  // Children's notifications go to OnMessage; their repaint requests to the
  // parent, which repaints the window.
  long OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                     std::intptr_t lparam) override;
  long OnControlUpdate(const Rect& rect, int redraw, MControl* control) override;

  virtual void InitControl(PaintManager* /*manager*/) {}
  virtual int PtInRect(Point p) const;
  // Paints the control into the back buffer (cr is in client coordinates).
  virtual void DrawControl(cairo_t* cr, const Rect& clip) = 0;
  virtual int DrawSubControls(cairo_t* cr, const Rect& clip);
  virtual int IsDraw(Point /*p*/) { return 0; }
  // 0 marks the render cache stale (also of the intersecting children).
  virtual void SetUpdate(int valid, ColorRef color);
  virtual int SetControlFocus(int focus);
  virtual void InitUI(const Rect& /*rect*/) {}
  // Containers translate the point into their scrolled content.
  virtual int OnMousePointChange(Point& /*p*/) { return 0; }
  // 0 where part of the rectangle shall not react.
  virtual int OnCheckMouseResponse(unsigned /*flags*/, Point /*p*/) { return 1; }
  // Non-zero takes a raw window message before the paint manager sees it.
  virtual long OnWindowMessage(std::uint32_t /*message*/, std::uintptr_t /*wparam*/,
                               std::intptr_t /*lparam*/) {
    return 0;
  }
  // Notifications of this control's children.
  virtual long OnMessage(unsigned /*id*/, unsigned /*code*/, std::uintptr_t /*wparam*/,
                         std::intptr_t /*lparam*/) {
    return 0;
  }
  virtual void SetControlRect(const Rect& rect) { rect_ = rect; }
  virtual void SetControlVisible(int visible) { visible_ = visible; }
  virtual void SetControlWndVisible(int /*visible*/) {}
  virtual void SetControlEnabled(int enabled) { enabled_ = enabled; }
  virtual int OnControlTimer() { return 0; }
  virtual std::shared_ptr<const Image> GetControlDropBitmap() { return nullptr; }
  virtual int OnControlMouseMove(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlSetCursor(unsigned flags, Point p);
  virtual int OnControlLButtonDown(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlLButtonUp(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlLButtonDblClk(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlScroll(int /*kind*/, int /*direction*/, Point /*p*/) { return 0; }
  virtual int OnControlRButtonDown(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlRButtonUp(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlRButtonDblClk(unsigned /*flags*/, Point /*p*/) { return 0; }
  virtual int OnControlKeyDown(int key, int repeat, int modifiers);
  virtual void OnPositionChange() {}
  virtual void InvalidateRect(const Rect* rect, int erase);

  MObject* GetParantObject() const { return parent_; }
  void SetParent(MObject* parent) { parent_ = parent; }
  PaintManager* GetManager() const { return manager_; }
  // Also calls InitControl.
  void SetManager(PaintManager* manager);

  unsigned GetControlID() const { return id_; }
  const Rect& GetRect() const { return rect_; }
  int IsVisible() const { return visible_; }
  int IsEnabled() const { return enabled_; }
  int IsFocused() const { return focused_; }
  int GetDblClk() const { return dblclk_; }
  int GetRresponse() const { return response_; }
  void SetRresponse(int response) { response_ = response; }
  int IsTabStop() const { return tab_stop_; }
  void SetTabStop(int tab_stop) { tab_stop_ = tab_stop; }
  int IsDragDrop() const { return drag_source_; }
  void SetDragDrop(int drag) { drag_source_ = drag; }
  int IsRunTimer() const { return run_timer_; }
  void SetRunTimer(int run) { run_timer_ = run; }
  int GetUpdate() const { return cache_valid_; }
  int UseImageECM() const { return image_edge_mode_; }
  int IsKeyDown() const { return key_down_; }
  const std::string& GetTooltip() const { return tooltip_; }
  void SetHotKey(int key, int modifiers) {
    hot_key_ = key;
    hot_key_modifiers_ = modifiers;
  }

  void SetRect(const Rect& rect);
  void SetRect(int left, int top, int width, int height) {
    SetRect(Rect::FromSize(left, top, width, height));
  }
  void SetVisible(int visible) { SetVisible(visible, 1); }
  void SetVisible(int visible, int repaint);
  void SetEnabled(int enabled);
  int IsParentVisible() const;
  void UpdateControl(int redraw = 0, int force = 0);
  void UpdateControl(const Rect& rect, int redraw, int force);
  void UpdateAControl(int flag, int force);

  // Reports an event to the parent: its OnBaseMessage with this control's id.
  long SendMessageW(unsigned code, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);

  // Children. Added controls are owned by this control.
  MControl* AddControl(std::unique_ptr<MControl> child);
  MControl* AddArea(std::unique_ptr<MControl> child);
  std::vector<MControl*>* GetControls() { return &children_; }
  std::vector<MControl*> ChildrenSnapshot() const;
  std::vector<MControl*> AreaSnapshot() const;
  MControl* GetControl(unsigned id);
  int RemoveControl(MControl* child);
  void RemoveAllControl();
  MControl* GetCurrentChild() const { return current_child_; }
  // The paint manager forgets a control that is going away; so does its parent.
  void ForgetChild(MControl* control);

  void Draw(cairo_t* cr, const Rect& clip);
  // The render cache at width x height (replaced only when the size differs);
  // marks it valid. Fills it with the back buffer below the control, once per
  // slot of the control's width.
  Image* UpdateMemDC(cairo_t* cr, int width, int height);
  Image* UpdateAnimateDC(cairo_t* cr, int width, int height);
  Image* GetMemImage() const { return cache_.get(); }
  // Copies one control-sized slot of the render cache to the back buffer.
  void PaintSlot(cairo_t* cr, int slot);
  // How many times the render cache was (re)built: tests tell a slot copy
  // from a rebuild by it.
  int CacheBuildCount() const { return cache_builds_; }

  int OnMouseMove(unsigned flags, Point p);
  int OnLButtonDown(unsigned flags, Point p);
  int OnLButtonUp(unsigned flags, Point p);
  int OnLButtonDblClk(unsigned flags, Point p);
  int OnRButtonDown(unsigned flags, Point p);
  int OnRButtonUp(unsigned flags, Point p);
  int OnRButtonDblClk(unsigned flags, Point p);
  int OnScroll(int kind, int direction, Point p);
  int OnKeyDown(int key, int repeat, int modifiers);
  int OnKeyUp(int /*key*/, int /*repeat*/, int /*modifiers*/) { return 0; }
  int OnTimer();

  int OnFocus(int focus) { return SetControlFocus(focus); }
  int IsFocusControl() const;
  virtual MControl* GetFocusControl() { return nullptr; }
  virtual MControl* GetNextFocusableControl() { return nullptr; }
  virtual MControl* GetPrevFocusableControl() { return nullptr; }
  void AddMTimer();

  void SetTooltip(const std::string& text) { tooltip_ = text; }
  void SetTooltip(const std::string& text, const Rect& rect);
  void ClearTooltip();
  int SetTooltipCtrlID(int) { return 0; }
  int GetTooltipCtrlID() const { return 0; }
  // "arrow", "wait", "cross", "sizewe", "sizens", "hand", "help"; other names
  // leave the cursor as it is. Always 0.
  int SetCursorEx(const std::string& name);
  std::shared_ptr<const Image> GetDropBitmap() { return GetControlDropBitmap(); }

  static int PositionItem2Value(const QEL_POSITION_ITEM& item, int low, int high);

  // Set while the paint manager takes the control out: walks skip it.
  bool IsDetached() const { return detached_; }
  void SetDetached(bool detached) { detached_ = detached; }

 protected:
  // Takes the focus for this control through the paint manager.
  void TakeFocus();
  // A child gets the untranslated point when it is a panel's scroll bar.
  static Point PointFor(const MControl* child, Point raw, Point translated);
  int DispatchPress(bool left, unsigned flags, Point p);
  int DispatchRelease(bool left, unsigned flags, Point p);
  int DispatchDoubleClick(bool left, unsigned flags, Point p);

  MObject* parent_;
  PaintManager* manager_ = nullptr;
  unsigned id_;
  Rect rect_;
  int visible_;
  int enabled_;
  int drag_source_ = 0;
  int response_;
  int tab_stop_ = 0;
  int dblclk_ = 0;
  int pressed_inside_ = 0;
  int key_down_ = 0;
  int focused_ = 0;
  int hot_key_ = 0;
  int hot_key_modifiers_ = 0;
  int cache_valid_ = 0;
  int animation_ = 0;
  int run_timer_ = 0;
  int image_edge_mode_ = 0;
  std::string tooltip_;
  int cursor_ = -1;  // platform::CursorShape, -1 for none

 private:
  mutable std::recursive_mutex areas_lock_;
  std::vector<MControl*> areas_;
  mutable std::recursive_mutex children_lock_;
  std::vector<MControl*> children_;
  MControl* current_child_ = nullptr;
  std::shared_ptr<Image> cache_;
  std::shared_ptr<Image> animate_cache_;
  int cache_builds_ = 0;
  bool detached_ = false;
};

}  // namespace tumi
