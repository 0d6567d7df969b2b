#include "uilib/controls/MPanel.h"

#include <algorithm>
#include <cstdint>

#include "uilib/controls/CScrollHorizontal.h"
#include "uilib/controls/CScrollVertical.h"
#include "uilib/core/ControlFactory.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {

// (content - extent) x position / maximum: how far the content is shifted.
int Offset(int content, int extent, const MScroll* bar) {
  if (!bar || content <= extent) return 0;
  int maximum = bar->GetScrollMaxRange();
  if (maximum <= 0) return 0;
  return static_cast<int>(static_cast<std::int64_t>(content - extent) * bar->GetScrollCurrentPos() /
                          maximum);
}

}  // namespace

MPanel::MPanel(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MControlFont(parent, id, rect, "", visible, 1, 1) {
  dblclk_ = 1;
  vertical_ = static_cast<CScrollVertical*>(AddControl(
      std::make_unique<CScrollVertical>(this, kVerticalBarId, Rect{-bar_width_, 0, 0, 0}, 1)));
  horizontal_ = static_cast<CScrollHorizontal*>(AddControl(
      std::make_unique<CScrollHorizontal>(this, kHorizontalBarId, Rect{0, -bar_width_, 0, 0}, 1)));
  MPanel::SetControlRect(rect);
}

MControl* MPanel::GetScrollVertical() const {
  return vertical_;
}

MControl* MPanel::GetScrollHorizontal() const {
  return horizontal_;
}

long MPanel::OnBaseMessage(unsigned id, unsigned code, std::uintptr_t wparam,
                           std::intptr_t lparam) {
  return OnMessage(id, code, wparam, lparam);
}

long MPanel::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) {
  return parent_ ? parent_->OnBaseMessage(id, code, wparam, lparam) : 0;
}

void MPanel::InitControl(PaintManager* manager) {
  initialised_ = 1;
  if (vertical_) vertical_->SetManager(manager);
  if (horizontal_) horizontal_->SetManager(manager);
  // Children added before the panel joined a window get the window now.
  if (!manager) return;
  for (MControl* child : ChildrenSnapshot()) {
    if (!child->GetManager()) child->SetManager(manager);
  }
  for (MControl* area : AreaSnapshot()) {
    if (!area->GetManager()) area->SetManager(manager);
  }
}

bool MPanel::ContentFits() const {
  return !enable_scroll_ || (virtual_height_ <= rect_.Height() && virtual_width_ <= rect_.Width());
}

int MPanel::ContentOffsetY() const {
  if (ContentFits()) return 0;
  return Offset(virtual_height_, rect_.Height(), vertical_);
}

int MPanel::ContentOffsetX() const {
  if (ContentFits()) return 0;
  return Offset(virtual_width_, rect_.Width(), horizontal_);
}

int MPanel::OnMousePointChange(Point& p) {
  if (ContentFits()) return 0;
  p.x += ContentOffsetX();
  p.y += ContentOffsetY();
  return 1;
}

long MPanel::OnControlUpdate(const Rect& rect, int redraw, MControl* control) {
  if (!control) return 0;
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (system && !system->IsUiThread()) {
    // A child animated by the dialog timer: no control is touched off the UI
    // thread; the window queues the request and applies it there.
    return MControlFont::OnControlUpdate(rect, redraw, control);
  }
  if (redraw) control->SetUpdate(0, 0);
  // The requester stands in the child list by the child that holds it.
  MControl* own = control;
  while (own && own->GetParantObject() != this) {
    own = dynamic_cast<MControl*>(own->GetParantObject());
  }
  Rect region = rect;
  if (initialised_ && own) {
    bool passed = false;
    for (MControl* child : ChildrenSnapshot()) {
      if (child == own) {
        passed = true;
        continue;
      }
      // Later children are drawn over the requester: they are drawn again.
      if (passed && child->IsVisible() && child->GetRect().Intersects(rect)) {
        child->SetUpdate(0, 0);
        region = region.Union(child->GetRect());
      }
    }
  }
  region = region.Offset(-ContentOffsetX(), -ContentOffsetY()).Union(rect_);
  if (manager_) {
    if (manager_->IsLayered()) {
      manager_->Invalidate();
    } else {
      manager_->InvalidateRect(region);
    }
  }
  return 0;
}

int MPanel::DrawSubControls(cairo_t* cr, const Rect& clip) {
  if (ContentFits()) return MControl::DrawSubControls(cr, clip);
  // The content is larger than the panel: the owner draws its visible part;
  // the bars that scroll it are still drawn here.
  if (vertical_ && vertical_->IsVisible()) vertical_->Draw(cr, clip);
  if (horizontal_ && horizontal_->IsVisible()) horizontal_->Draw(cr, clip);
  return 1;
}

long MPanel::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  for (MControl* child : ChildrenSnapshot()) {
    if (!child->IsDetached() && child->OnWindowMessage(message, wparam, lparam)) return 1;
  }
  return 0;
}

void MPanel::SetControlRect(const Rect& rect) {
  virtual_height_ = 0;
  virtual_width_ = 0;
  rect_ = rect;
  for (MControl* child : ChildrenSnapshot()) {
    Rect strip = rect;
    if (child->GetControlID() == kVerticalBarId) {
      strip.left = rect.right - bar_width_;
    } else if (child->GetControlID() == kHorizontalBarId) {
      strip.top = rect.bottom - bar_width_;
    } else {
      continue;
    }
    Rect old = child->GetRect();
    child->SetControlRect(strip);
    if (child->IsVisible()) child->UpdateControl(old.Union(strip), 1, 0);
  }
  LayoutBars();
}

void MPanel::LayoutBars() {
  LayoutBar(vertical_, rect_.Height(), virtual_height_);
  LayoutBar(horizontal_, rect_.Width(), virtual_width_);
}

void MPanel::LayoutBar(MScroll* bar, int extent, int content) {
  if (!bar) return;
  int show = extent < content ? 1 : 0;
  if ((show != 0) != (bar->IsVisible() != 0)) {
    bar->SetControlVisible(show);
    bar->UpdateControl(bar->GetRect(), 1, 1);
  }
  bar->SetScrollMaxRange(content);
}

void MPanel::SetVirtualHeight(int height) {
  virtual_height_ = height;
  LayoutBar(vertical_, rect_.Height(), virtual_height_);
}

void MPanel::SetVirtualWidth(int width) {
  virtual_width_ = width;
  LayoutBar(horizontal_, rect_.Width(), virtual_width_);
}

void MPanel::SetControlVisible(int visible) {
  visible_ = visible;
  SetControlWndVisible(visible);
}

void MPanel::SetControlEnabled(int enabled) {
  enabled_ = enabled;
  for (MControl* child : ChildrenSnapshot()) {
    if ((child->IsEnabled() != 0) == (enabled != 0)) continue;
    child->SetControlEnabled(enabled);
    if (child->IsVisible()) child->UpdateControl(1, 0);
  }
}

int MPanel::OnControlScroll(int /*kind*/, int direction, Point /*p*/) {
  if (!enable_scroll_ || virtual_height_ < rect_.Height() || !vertical_) return 0;
  int before = vertical_->GetScrollCurrentPos();
  // Direction 1 is a turn towards the user: further down the content.
  vertical_->ScrollRow(direction == 1 ? 1 : -1);
  if (vertical_->GetScrollCurrentPos() == before) return 1;
  if (visible_) UpdateControl(rect_, 1, 0);
  if (vertical_->IsVisible()) vertical_->UpdateControl(1, 0);
  return 1;
}

MControl* MPanel::CreateControl(int kind, MObject* parent, const std::string& class_name,
                                unsigned id, const Rect& rect, const std::string& title,
                                int visible, int enabled) {
  auto control = ControlFactory::Create(FactoryKind::kPanel, class_name,
                                        {parent, id, rect, title, visible, enabled});
  if (!control) return nullptr;
  return kind == 1 ? AddControl(std::move(control)) : AddArea(std::move(control));
}

MControl* MPanel::CreateControl(const std::string& class_name, unsigned id, const Rect& rect,
                                const std::string& title, int visible, int enabled) {
  return CreateControl(1, this, class_name, id, rect, title, visible, enabled);
}

MControl* MPanel::CreateArea(const std::string& class_name, unsigned id, const Rect& rect,
                             const std::string& title, int visible, int enabled) {
  return CreateControl(0, this, class_name, id, rect, title, visible, enabled);
}

bool MPanel::IsBarVisible() const {
  return vertical_ && vertical_->IsVisible();
}

int MPanel::GetBarPosition() const {
  return vertical_ ? vertical_->GetScrollCurrentPos() : 0;
}

int MPanel::GetBarMaximum() const {
  return vertical_ ? vertical_->GetScrollMaxRange() : 0;
}

bool MPanel::SetBarPosition(int position) {
  if (!vertical_) return false;
  int before = vertical_->GetScrollCurrentPos();
  vertical_->SetScrollCurrentPos(std::clamp(position, 0, std::max(GetBarMaximum(), 0)));
  if (vertical_->GetScrollCurrentPos() == before) return false;
  if (vertical_->IsVisible()) vertical_->UpdateControl(1, 0);
  return true;
}

void MPanel::FitBarToContent(int content_height) {
  if (!vertical_) return;
  int show = rect_.Height() < content_height ? 1 : 0;
  if (show != (vertical_->IsVisible() ? 1 : 0)) {
    vertical_->SetControlVisible(show);
    vertical_->UpdateControl(vertical_->GetRect(), 1, 1);
  }
  vertical_->SetScrollMaxRange(content_height);
  SetBarPosition(GetBarPosition());
}

}  // namespace tumi
