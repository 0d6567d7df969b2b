#include "uilib/core/MControl.h"

#include <algorithm>
#include <map>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

MControl::MControl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled,
                   int response)
    : parent_(parent),
      id_(id),
      rect_(rect),
      visible_(visible),
      enabled_(enabled),
      response_(response) {}

MControl::~MControl() {
  RemoveAllControl();
  if (manager_) manager_->ForgetControl(this);
}

long MControl::OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                             std::intptr_t lparam) {
  return OnMessage(id, code, wparam, lparam);
}

long MControl::OnControlUpdate(const Rect& rect, int redraw, MControl* control) {
  // Up to the window, which rebuilds the child's picture on the UI thread.
  if (parent_) return parent_->OnControlUpdate(rect, redraw, control);
  return 0;
}

void MControl::SetManager(PaintManager* manager) {
  manager_ = manager;
  InitControl(manager);
}

int MControl::PtInRect(Point p) const {
  return visible_ && rect_.Contains(p) ? 1 : 0;
}

std::vector<MControl*> MControl::ChildrenSnapshot() const {
  std::lock_guard lock(children_lock_);
  return children_;
}

std::vector<MControl*> MControl::AreaSnapshot() const {
  std::lock_guard lock(areas_lock_);
  return areas_;
}

int MControl::DrawSubControls(cairo_t* cr, const Rect& clip) {
  std::lock_guard lock(children_lock_);
  for (MControl* child : children_) {
    if (child->IsVisible()) child->Draw(cr, clip);
  }
  return 1;
}

void MControl::SetUpdate(int valid, ColorRef color) {
  cache_valid_ = valid;
  std::lock_guard lock(children_lock_);
  for (MControl* child : children_) {
    if (child->rect_.Intersects(rect_)) child->SetUpdate(valid, color);
  }
}

int MControl::SetControlFocus(int focus) {
  if (focus == 0) {
    for (MControl* child : ChildrenSnapshot()) child->SetControlFocus(0);
  }
  return 0;
}

int MControl::OnControlSetCursor(unsigned /*flags*/, Point p) {
  if (cursor_ < 0 || !rect_.Contains(p)) return 0;
  if (platform::WindowSystem* system = Manager::GetWindowSystem()) {
    system->SetCursor(static_cast<platform::CursorShape>(cursor_));
  }
  return 1;
}

int MControl::OnControlKeyDown(int key, int /*repeat*/, int modifiers) {
  return hot_key_ != 0 && key == hot_key_ && modifiers == hot_key_modifiers_ ? 1 : 0;
}

void MControl::InvalidateRect(const Rect* /*rect*/, int /*erase*/) {
  if (!manager_) return;
  if (manager_->IsLayered()) {
    manager_->Invalidate();
  } else {
    manager_->InvalidateRect(rect_);
  }
}

void MControl::SetRect(const Rect& rect) {
  Rect old = rect_;
  SetControlRect(rect);
  if (visible_) UpdateControl(old.Union(rect_), 1, 0);
}

void MControl::SetVisible(int visible, int repaint) {
  if ((visible != 0) == (visible_ != 0)) return;
  SetControlVisible(visible);
  if (repaint) UpdateControl(rect_, 1, 1);
}

void MControl::SetEnabled(int enabled) {
  if ((enabled != 0) == (enabled_ != 0)) return;
  SetControlEnabled(enabled);
  if (visible_) UpdateControl(1, 0);
}

int MControl::IsParentVisible() const {
  if (!parent_) return 0;
  if (parent_->IsClass("MDialog")) return 1;
  auto* parent = dynamic_cast<const MControl*>(parent_);
  // Popup and menu windows hold their controls like a dialog.
  if (!parent) return 1;
  return parent->visible_ & parent->IsParentVisible();
}

void MControl::UpdateControl(int redraw, int force) {
  UpdateControl(rect_, redraw, force);
}

void MControl::UpdateControl(const Rect& rect, int redraw, int force) {
  if ((visible_ || force) && parent_) parent_->OnControlUpdate(rect, redraw, this);
}

void MControl::UpdateAControl(int flag, int force) {
  if (!visible_ && !force) return;
  animation_ = flag ? 0 : 1;
  UpdateControl(rect_, 0, 1);
}

long MControl::SendMessageW(unsigned code, std::uintptr_t wparam, std::intptr_t lparam) {
  return parent_ ? parent_->OnBaseMessage(id_, code, wparam, lparam) : 0;
}

MControl* MControl::AddControl(std::unique_ptr<MControl> child) {
  if (!child) return nullptr;
  MControl* raw = child.release();
  raw->SetParent(this);
  raw->SetManager(manager_);
  std::lock_guard lock(children_lock_);
  children_.push_back(raw);
  return raw;
}

MControl* MControl::AddArea(std::unique_ptr<MControl> child) {
  if (!child) return nullptr;
  MControl* raw = child.release();
  raw->SetParent(this);
  raw->SetManager(manager_);
  std::lock_guard lock(areas_lock_);
  areas_.push_back(raw);
  return raw;
}

MControl* MControl::GetControl(unsigned id) {
  for (MControl* child : ChildrenSnapshot()) {
    if (child->id_ == id) return child;
    if (MControl* found = child->GetControl(id)) return found;
  }
  for (MControl* area : AreaSnapshot()) {
    if (area->id_ == id) return area;
    if (MControl* found = area->GetControl(id)) return found;
  }
  return nullptr;
}

void MControl::ForgetChild(MControl* control) {
  if (current_child_ == control) current_child_ = nullptr;
}

int MControl::RemoveControl(MControl* child) {
  bool found = false;
  {
    std::lock_guard lock(children_lock_);
    auto it = std::find(children_.begin(), children_.end(), child);
    if (it != children_.end()) {
      children_.erase(it);
      found = true;
    }
  }
  if (!found) return 0;
  if (current_child_ == child) current_child_ = nullptr;
  if (manager_) {
    manager_->Retire(child);
  } else {
    delete child;
  }
  return 0;
}

void MControl::RemoveAllControl() {
  std::vector<MControl*> gone;
  {
    std::lock_guard lock(areas_lock_);
    gone.swap(areas_);
  }
  {
    std::lock_guard lock(children_lock_);
    gone.insert(gone.end(), children_.begin(), children_.end());
    children_.clear();
  }
  current_child_ = nullptr;
  for (MControl* c : gone) {
    if (manager_) {
      manager_->Retire(c);
    } else {
      delete c;
    }
  }
}

void MControl::Draw(cairo_t* cr, const Rect& clip) {
  if (!visible_ || !rect_.Intersects(clip)) return;
  {
    std::lock_guard lock(areas_lock_);
    for (MControl* area : areas_) {
      if (area->rect_.Intersects(rect_)) area->Draw(cr, clip);
    }
  }
  DrawControl(cr, clip);
  DrawSubControls(cr, clip);
}

namespace {
std::shared_ptr<Image> Resized(std::shared_ptr<Image> current, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (current && current->Width() == width && current->Height() == height) return current;
  return Image::Create(width, height);
}
}  // namespace

Image* MControl::UpdateMemDC(cairo_t* cr, int width, int height) {
  cache_valid_ = 1;
  ++cache_builds_;
  cache_ = Resized(std::move(cache_), width, height);
  if (!cache_) return nullptr;
  // Every slot starts from the picture below the control.
  Graphics g(*cache_);
  int slot_width = std::max(rect_.Width(), 1);
  for (int x = 0; x < cache_->Width(); x += slot_width) {
    MRender::BitBlt(g, Rect::FromSize(x, 0, slot_width, cache_->Height()), cairo_get_target(cr),
                    {rect_.left, rect_.top});
  }
  return cache_.get();
}

Image* MControl::UpdateAnimateDC(cairo_t* /*cr*/, int width, int height) {
  animation_ = 1;
  animate_cache_ = Resized(std::move(animate_cache_), width, height);
  return animate_cache_.get();
}

void MControl::PaintSlot(cairo_t* cr, int slot) {
  if (!cache_) return;
  int slots = std::max(cache_->Width() / std::max(rect_.Width(), 1), 1);
  slot = std::clamp(slot, 0, slots - 1);
  MRender::BitBlt(cr, rect_, cache_->Surface(), {slot * rect_.Width(), 0});
}

Point MControl::PointFor(const MControl* child, Point raw, Point translated) {
  unsigned id = child->GetControlID();
  return id == 1 || id == 2 ? raw : translated;
}

int MControl::OnMouseMove(unsigned flags, Point raw) {
  if (!visible_ || !response_) return 0;
  Point p = raw;
  OnMousePointChange(p);
  MControl* before = current_child_;
  if (current_child_) {
    Point cp = PointFor(current_child_, raw, p);
    if ((current_child_->PtInRect(cp) && current_child_->OnCheckMouseResponse(flags, cp)) ||
        pressed_inside_) {
      return current_child_->OnMouseMove(flags, cp);
    }
  }
  current_child_ = nullptr;
  if (!tooltip_.empty() && rect_.Contains(raw) && OnCheckMouseResponse(flags, raw) && manager_ &&
      manager_->GetTooltipOwner() != this) {
    SetTooltip(tooltip_, rect_);
  }
  OnControlSetCursor(flags, raw);
  int result = OnControlMouseMove(flags, raw);
  if (!pressed_inside_) {
    for (MControl* child : ChildrenSnapshot()) {
      if (child->IsDetached()) continue;
      Point cp = PointFor(child, raw, p);
      if (child->OnMouseMove(flags, cp) && child->PtInRect(cp)) current_child_ = child;
    }
  }
  if (current_child_ || before) return 1;
  return result;
}

void MControl::TakeFocus() {
  if (!manager_) return;
  manager_->SetFocusControl(this);
}

int MControl::DispatchPress(bool left, unsigned flags, Point raw) {
  if (!visible_ || !response_) return 0;
  Point p = raw;
  OnMousePointChange(p);
  pressed_inside_ = rect_.Contains(raw) ? 1 : 0;
  current_child_ = nullptr;
  for (MControl* child : ChildrenSnapshot()) {
    Point cp = PointFor(child, raw, p);
    if (!child->IsDetached() && child->PtInRect(cp) && child->IsEnabled() &&
        child->GetRresponse()) {
      current_child_ = child;
    }
  }
  if (current_child_) {
    Point cp = PointFor(current_child_, raw, p);
    int r =
        left ? current_child_->OnLButtonDown(flags, cp) : current_child_->OnRButtonDown(flags, cp);
    return r ? 1 : 0;
  }
  TakeFocus();
  return left ? OnControlLButtonDown(flags, raw) : OnControlRButtonDown(flags, raw);
}

int MControl::DispatchRelease(bool left, unsigned flags, Point raw) {
  if (!visible_ || !response_) return 0;
  Point p = raw;
  OnMousePointChange(p);
  pressed_inside_ = 0;
  if (current_child_) {
    Point cp = PointFor(current_child_, raw, p);
    return left ? current_child_->OnLButtonUp(flags, cp) : current_child_->OnRButtonUp(flags, cp);
  }
  return left ? OnControlLButtonUp(flags, raw) : OnControlRButtonUp(flags, raw);
}

int MControl::DispatchDoubleClick(bool left, unsigned flags, Point raw) {
  if (!visible_ || !response_) return 0;
  Point p = raw;
  OnMousePointChange(p);
  pressed_inside_ = 0;
  if (!current_child_) {
    if (dblclk_)
      return left ? OnControlLButtonDblClk(flags, raw) : OnControlRButtonDblClk(flags, raw);
    return left ? OnControlLButtonDown(flags, raw) : OnControlRButtonDown(flags, raw);
  }
  MControl* child = current_child_;
  Point cp = PointFor(child, raw, p);
  int r = left ? child->OnLButtonDblClk(flags, cp) : child->OnRButtonDblClk(flags, cp);
  if (r == 0 && !child->GetDblClk()) {
    r = left ? child->OnLButtonDown(flags, cp) : child->OnRButtonDown(flags, cp);
  }
  return r;
}

int MControl::OnLButtonDown(unsigned flags, Point p) {
  return DispatchPress(true, flags, p);
}
int MControl::OnRButtonDown(unsigned flags, Point p) {
  return DispatchPress(false, flags, p);
}
int MControl::OnLButtonUp(unsigned flags, Point p) {
  return DispatchRelease(true, flags, p);
}
int MControl::OnRButtonUp(unsigned flags, Point p) {
  return DispatchRelease(false, flags, p);
}
int MControl::OnLButtonDblClk(unsigned flags, Point p) {
  return DispatchDoubleClick(true, flags, p);
}
int MControl::OnRButtonDblClk(unsigned flags, Point p) {
  return DispatchDoubleClick(false, flags, p);
}

int MControl::OnScroll(int kind, int direction, Point raw) {
  if (!visible_ || !response_ || !enabled_) return 0;
  Point p = raw;
  OnMousePointChange(p);
  if (current_child_) {
    Point cp = PointFor(current_child_, raw, p);
    if (current_child_->PtInRect(cp) && current_child_->OnCheckMouseResponse(0, cp)) {
      return current_child_->OnScroll(kind, direction, cp);
    }
  }
  if (!rect_.Contains(raw)) return 0;
  if (OnControlScroll(kind, direction, raw)) return 1;
  for (MControl* child : ChildrenSnapshot()) {
    Point cp = PointFor(child, raw, p);
    if (!child->IsDetached() && child->PtInRect(cp) && child->OnScroll(kind, direction, cp)) {
      return 1;
    }
  }
  return 0;
}

int MControl::OnKeyDown(int key, int repeat, int modifiers) {
  if (!visible_ || !response_) return 0;
  std::vector<MControl*> children = ChildrenSnapshot();
  for (MControl* child : children) {
    if (!child->IsFocused()) continue;
    if (!child->IsVisible()) return 0;
    return child->OnKeyDown(key, repeat, modifiers);
  }
  if (current_child_ && current_child_->OnKeyDown(key, repeat, modifiers)) return 1;
  if (OnControlKeyDown(key, repeat, modifiers)) return 1;
  for (MControl* child : children) {
    if (!child->IsDetached() && child->OnKeyDown(key, repeat, modifiers)) return 1;
  }
  return 0;
}

int MControl::OnTimer() {
  int result = OnControlTimer();
  // A snapshot: a child's timer work may ask for a repaint, which must not
  // happen under the child lock. Taking a child out waits for the dialog
  // timer's tick, so the children stay alive meanwhile.
  for (MControl* child : ChildrenSnapshot()) {
    if (!child->IsDetached() && child->IsRunTimer() && child->IsVisible() && child->OnTimer()) {
      result = 1;
    }
  }
  return result ? 1 : 0;
}

int MControl::IsFocusControl() const {
  return manager_ && manager_->GetFocusControl() == this ? 1 : 0;
}

void MControl::AddMTimer() {
  if (manager_) manager_->AddMTimer(this);
}

void MControl::SetTooltip(const std::string& text, const Rect& rect) {
  if (!manager_) return;
  manager_->SetTooltip(text, rect);
  manager_->SetTooltipOwner(this);
}

void MControl::ClearTooltip() {
  if (manager_) manager_->ClearTooltip();
}

int MControl::SetCursorEx(const std::string& name) {
  static const std::map<std::string, platform::CursorShape> kCursors = {
      {"arrow", platform::CursorShape::kArrow},
      {"wait", platform::CursorShape::kWait},
      {"cross", platform::CursorShape::kCross},
      {"sizewe", platform::CursorShape::kSizeWE},
      {"sizens", platform::CursorShape::kSizeNS},
      {"hand", platform::CursorShape::kHand},
      // The desktop cursor themes have no common help cursor: the arrow.
      {"help", platform::CursorShape::kArrow},
  };
  auto it = kCursors.find(name);
  if (it != kCursors.end()) cursor_ = static_cast<int>(it->second);
  return 0;
}

int MControl::PositionItem2Value(const QEL_POSITION_ITEM& item, int low, int high) {
  switch (item.kind) {
    case 0:
      return item.from_far ? high - item.value : low + item.value;
    case 1: {
      int centre = low + (high - low) / 2;
      return item.from_far ? -(centre + item.value) : centre + item.value;
    }
    case 2:
      return std::min(low + (high - low) * item.value / 100, high);
    default:
      return 0;
  }
}

}  // namespace tumi
