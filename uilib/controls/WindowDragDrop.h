#pragma once
// Drag and drop for one library window. Installed on its paint manager
// (InitDragDrop), it is the window's drop target and runs drags of its
// drag-source controls:
//
// - Files dropped on the window (from the desktop) arrive as one drop of
//   their paths; the first one that is a picture is offered to the window.
// - A left press on an enabled drag-source control makes a drag pending;
//   once the pointer has moved 3 pixels away, the drag starts: the window
//   holds the pointer, the control's picture follows it in a tool window,
//   and the library window under the pointer answers with the effect (the
//   cursor shows "no" where nothing would be dropped). Releasing the button
//   drops on that window; Escape or losing the pointer cancels.
//
// What a window does with a drop: it receives a left-button release at the
// drop point (in its own client coordinates), then kMsgSetImage with the
// picture (lparam: a const std::shared_ptr<const Image>* valid during the
// call), which a dialog ignores unless it handles it.
#include <memory>

#include "uilib/controls/CDragSourceHelper.h"
#include "uilib/controls/CIDropSource.h"
#include "uilib/controls/CIDropTarget.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

inline constexpr std::uint32_t kMsgSetImage = 370;
// The pointer must move this far (either way) from the press to start a drag.
inline constexpr int kDragThreshold = 3;

class WindowDragDrop : public WindowMessageFilter, public CIDropTarget {
 public:
  explicit WindowDragDrop(PaintManager& pm);
  ~WindowDragDrop() override;
  WindowDragDrop(const WindowDragDrop&) = delete;
  WindowDragDrop& operator=(const WindowDragDrop&) = delete;

  // The drop target of a library window; null when it takes no drops.
  static WindowDragDrop* ForWindow(platform::WindowId window);

  bool FilterMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;

  bool IsDragPending() const { return pending_; }
  bool IsDragging() const { return dragging_; }
  // The window under the pointer during a drag, and the effect it answered.
  WindowDragDrop* CurrentTarget() const { return over_; }
  unsigned CurrentEffect() const { return effect_; }
  const CDragSourceHelper& Picture() const { return helper_; }

 protected:
  bool OnDrop(const FormatEtc& format, const StgMedium& medium, unsigned effect,
              Point client) override;

 private:
  platform::WindowSystem* System() const;
  unsigned KeyState() const;
  void OnPress(Point p);
  void Start();
  void Track(Point p);
  void Finish(bool drop, Point p);
  WindowDragDrop* TargetAt(platform::Point screen, Point* client) const;

  PaintManager& pm_;
  platform::WindowId window_;
  bool pending_ = false;
  bool dragging_ = false;
  Point press_;
  std::shared_ptr<const Image> picture_;
  std::unique_ptr<CIDropSource> source_;
  std::unique_ptr<CIDataObject> data_;
  CDragSourceHelper helper_;
  WindowDragDrop* over_ = nullptr;
  unsigned effect_ = kDropNone;
};

// Makes the window a drop target for pictures and dropped files, and lets
// its drag-source controls be dragged; 0 when the window cannot take drops.
int InitDragDrop(PaintManager& pm);

// The control drawn as it is in the window, cut to `rect` (relative to the
// control's top-left corner; an empty one takes the whole control). Null
// without a control.
std::shared_ptr<Image> GetDropBitmap(PaintManager& pm, MControl* control, const Rect& rect,
                                     unsigned flags = 0);

}  // namespace tumi
