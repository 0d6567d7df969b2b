#include "uilib/keyboard/CDeviceCtrl.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/keyboard/CentredText.h"

namespace tumi {

CDeviceCtrl::CDeviceCtrl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  frame_count_ = 2;
}

void CDeviceCtrl::AddDevice(const std::string& name, int value1, int value2, int device_type,
                            bool listed) {
  auto item = std::make_unique<DeviceListItem>();
  item->name = name;
  item->value1 = value1;
  item->value2 = value2;
  item->device_type = device_type;
  item->state = listed ? DeviceListItem::kListed : DeviceListItem::kHidden;
  item->listed = listed;
  std::lock_guard lock(lock_);
  items_.push_back(std::move(item));
}

void CDeviceCtrl::SetDeviceState(int device_type, int state) {
  {
    std::lock_guard lock(lock_);
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i]->device_type != device_type) continue;
      items_[i]->state = state;
      if (state != DeviceListItem::kHidden) current_ = static_cast<int>(i);
      break;
    }
    connected_ = static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const auto& item) {
      return item->state == DeviceListItem::kConnected;
    }));
  }
  Repaint();
}

void CDeviceCtrl::ResetAllState() {
  {
    std::lock_guard lock(lock_);
    for (auto& item : items_) item->state = DeviceListItem::kHidden;
  }
  Repaint();
}

int CDeviceCtrl::GetCurDeviceType() const {
  std::lock_guard lock(lock_);
  int current = current_;
  if (connected_ == 0 || current < 0 || current >= static_cast<int>(items_.size())) return 0;
  return items_[current]->device_type;
}

void CDeviceCtrl::ClearList() {
  {
    std::lock_guard lock(lock_);
    items_.clear();
    connected_ = 0;
    hover_ = -1;
    current_ = -1;
  }
  Repaint();
}

int CDeviceCtrl::GetItemCount() const {
  std::lock_guard lock(lock_);
  return static_cast<int>(items_.size());
}

DeviceListItem CDeviceCtrl::GetItem(int index) const {
  std::lock_guard lock(lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  return *items_[index];
}

void CDeviceCtrl::Repaint() {
  if (visible_) UpdateControl(1, 0);
}

void CDeviceCtrl::DrawRows(cairo_t* cr, int state, int frame, Argb color, Rect& row) {
  const FontSpec font = GetFontSpec();
  const TextFormat format = CentredText(rendering_hint_);
  for (auto& item : items_) {
    if (item->state != state) continue;
    item->rect = row;
    if (image_ && image_->image) {
      Rect source = Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_);
      MRender::DrawImageFrame(cr, *image_->image, row, source, kNinePatchCorner);
    }
    MRender::DrawString(cr, item->name, row, font, format, color);
    row = row.Offset(0, row_step_);
  }
}

void CDeviceCtrl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    if (connected_ != 0) {
      Graphics g(*cache);
      std::lock_guard lock(lock_);
      Rect row{0, 0, w, kRowHeight};
      DrawRows(g, DeviceListItem::kConnected, 1, text_color_, row);
      DrawRows(g, DeviceListItem::kListed, 0, kListedTextColor, row);
    }
  }
  PaintSlot(cr, 0);
}

int CDeviceCtrl::HitTest(Point local) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    const DeviceListItem& item = *items_[i];
    if (item.state != DeviceListItem::kHidden && item.rect.Contains(local)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int CDeviceCtrl::OnControlMouseMove(unsigned flags, Point p) {
  if (!enabled_) return 0;
  const int before = hover_;
  if (!rect_.Contains(p)) {
    hover_ = -1;
    SetCursorEx("arrow");
  } else {
    Point local{p.x - rect_.left, p.y - rect_.top};
    std::unique_lock lock(lock_);
    // A row hidden since it was last drawn no longer counts as hovered.
    if (hover_ >= 0 && hover_ < static_cast<int>(items_.size()) &&
        items_[hover_]->state != DeviceListItem::kHidden && items_[hover_]->rect.Contains(local)) {
      lock.unlock();
      SetCursorEx("hand");
      OnControlSetCursor(flags, p);
      return 1;
    }
    hover_ = HitTest(local);
    lock.unlock();
    SetCursorEx(hover_ >= 0 ? "hand" : "arrow");
    OnControlSetCursor(flags, p);
  }
  if (hover_ != before) UpdateControl(1, 0);
  return 1;
}

int CDeviceCtrl::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  const int hovered = hover_;
  if (rect_.Contains(p) && hovered >= 0) {
    current_ = hovered;
    SendMessageW(kNotifyPressed, static_cast<std::uintptr_t>(hovered), 0);
  }
  return 1;
}

int CDeviceCtrl::OnControlLButtonUp(unsigned /*flags*/, Point /*p*/) {
  return enabled_ ? 1 : 0;
}

}  // namespace tumi
