#include "uilib/keyboard/KeyFuncControl.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/ImageStore.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/SkinPath.h"
#include "uilib/keyboard/KeyFuncButton.h"

namespace tumi {

namespace {

std::shared_ptr<const Image> LoadSkinFile(const char* name) {
  if (!name || !*name) return nullptr;
  return ImageStore::Shared().Load(SkinPath::Join(Manager::GetSkinFolder(), name));
}

}  // namespace

KeyFuncControl::KeyFuncControl(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MPanel(parent, id, rect, visible) {
  h_align_ = kAlignCenter;
}

KeyFuncControl::~KeyFuncControl() = default;

void KeyFuncControl::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  SetControlRect(rect_);
}

void KeyFuncControl::InitItemInfo() {
  ClearItems();
  std::vector<std::unique_ptr<KeyFuncItem>> items;
  for (const KeyFuncButton& button : KeyFuncButtons()) {
    auto item = std::make_unique<KeyFuncItem>();
    item->text = button.label;
    item->item_data = button.code;
    item->icon = LoadSkinFile(button.icon);
    item->rect = button.Area();
    items.push_back(std::move(item));
  }
  {
    std::lock_guard lock(items_lock_);
    items_ = std::move(items);
  }
  UpdateControl(1, 0);
}

void KeyFuncControl::ClearItems() {
  {
    std::lock_guard lock(items_lock_);
    items_.clear();
    hovered_ = clicked_ = marked_ = tooltip_index_ = -1;
  }
  if (manager_ && manager_->GetTooltipOwner() == this) ClearTooltip();
  UpdateControl(1, 0);
}

void KeyFuncControl::SetItemDesc(int item_data, const std::string& text) {
  std::lock_guard lock(items_lock_);
  auto it = std::find_if(items_.begin(), items_.end(),
                         [item_data](const auto& item) { return item->item_data == item_data; });
  if (it == items_.end()) return;
  (*it)->text = text;
  // An icon button's text is its tooltip; a key's label is drawn.
  if (!(*it)->icon) SetUpdate(0, 0);
}

void KeyFuncControl::SetItemCheckByItemData(int item_data, int key, int second_key) {
  {
    std::lock_guard lock(items_lock_);
    clicked_ = -1;
    marked_ = -1;
    if (item_data != 0) {
      for (size_t i = 0; i < items_.size(); ++i) {
        const KeyFuncItem& item = *items_[i];
        if (item.item_data == item_data && item.key == key && item.second_key == second_key) {
          marked_ = static_cast<int>(i);
          break;
        }
      }
    }
  }
  UpdateControl(0, 0);
}

bool KeyFuncControl::GetCurItemData(int& /*first*/, int& item_data, int& key, int& second_key,
                                    std::string& text) const {
  std::lock_guard lock(items_lock_);
  if (!ValidIndex(clicked_)) return false;
  const KeyFuncItem& item = *items_[clicked_];
  item_data = item.item_data;
  key = item.key;
  second_key = item.second_key;
  text = item.text;
  return true;
}

int KeyFuncControl::GetItemCount() const {
  std::lock_guard lock(items_lock_);
  return static_cast<int>(items_.size());
}

KeyFuncItem KeyFuncControl::GetItem(int index) const {
  std::lock_guard lock(items_lock_);
  return ValidIndex(index) ? *items_[index] : KeyFuncItem{};
}

Rect KeyFuncControl::ItemWindowRect(const KeyFuncItem& item) const {
  return item.rect.Offset(rect_.left, rect_.top - ScrollOffset());
}

int KeyFuncControl::HitTest(Point p) const {
  std::lock_guard lock(items_lock_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (ItemWindowRect(*items_[i]).Contains(p)) return static_cast<int>(i);
  }
  return -1;
}

void KeyFuncControl::SetCursorShape(const char* name) {
  SetCursorEx(name);
  // The base applied the previous cursor before this move reached us.
  if (platform::WindowSystem* system = Manager::GetWindowSystem(); system && cursor_ >= 0) {
    system->SetCursor(static_cast<platform::CursorShape>(cursor_));
  }
}

void KeyFuncControl::OfferTooltip() {
  std::string text;
  Rect area;
  {
    std::lock_guard lock(items_lock_);
    if (!ValidIndex(hovered_) || hovered_ == tooltip_index_) return;
    const KeyFuncItem& item = *items_[hovered_];
    // Keys explain themselves; only the function icons have tooltips.
    if (item.item_data <= kLastKeyCode || item.text.empty()) return;
    tooltip_index_ = hovered_;
    text = item.text;
    area = ItemWindowRect(item);
  }
  SetTooltip(text, area);
}

int KeyFuncControl::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  const int before = hovered_;
  const bool inside = rect_.Contains(p);
  if (inside) {
    bool still_on_it = false;
    {
      std::lock_guard lock(items_lock_);
      still_on_it = ValidIndex(hovered_) && ItemWindowRect(*items_[hovered_]).Contains(p);
    }
    if (!still_on_it) {
      hovered_ = -1;
      tooltip_index_ = -1;
      SetCursorShape("arrow");
      if (manager_) manager_->ClearTooltip();
      hovered_ = HitTest(p);
    }
    if (hovered_ >= 0) {
      SetCursorShape("hand");
      OfferTooltip();
    }
  } else {
    SetCursorShape("arrow");
    if (manager_ && manager_->GetTooltipOwner() == this) ClearTooltip();
    hovered_ = -1;
    tooltip_index_ = -1;
  }
  // Hover shows another slot of the same picture.
  if (hovered_ != before) UpdateControl(0, 0);
  return inside ? 1 : 0;
}

int KeyFuncControl::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  clicked_ = hovered_;
  SendMessageW(kNotifyPressed, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(clicked_)),
               0);
  UpdateControl(0, 0);
  return 1;
}

int KeyFuncControl::OnControlLButtonDblClk(unsigned flags, Point p) {
  // A quick second click picks again.
  return OnControlLButtonDown(flags, p);
}

void KeyFuncControl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  const int width = rect_.Width();
  const int height = rect_.Height();
  if (width <= 0 || height <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, width * kSlotCount, height);
    if (!cache) return;
    Graphics g(*cache);
    std::lock_guard lock(items_lock_);
    for (int slot = 0; slot < kSlotCount; ++slot) {
      cairo_save(g);
      cairo_translate(g, slot * width, 0);
      DrawButtons(g, static_cast<Slot>(slot));
      cairo_restore(g);
    }
  }
  PaintSlot(cr, kRestSlot);
  std::lock_guard lock(items_lock_);
  if (hovered_ != marked_ && hovered_ != clicked_) CopyButton(cr, hovered_, kHoverSlot);
  CopyButton(cr, marked_, kMarkedSlot);
  CopyButton(cr, clicked_, kMarkedSlot);
}

void KeyFuncControl::CopyButton(cairo_t* cr, int index, Slot slot) const {
  if (!ValidIndex(index) || !GetMemImage()) return;
  const Rect shown = ItemWindowRect(*items_[index]).Intersect(rect_);
  if (shown.IsEmpty()) return;
  MRender::BitBlt(cr, shown, GetMemImage()->Surface(),
                  {slot * rect_.Width() + shown.left - rect_.left, shown.top - rect_.top});
}

void KeyFuncControl::DrawButtons(cairo_t* cr, Slot slot) const {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, rect_.Width(), rect_.Height());
  cairo_clip(cr);
  for (const auto& item : items_) {
    DrawButton(cr, *item, item->rect.Offset(0, -ScrollOffset()), slot);
  }
  cairo_restore(cr);
}

void KeyFuncControl::DrawButton(cairo_t* cr, const KeyFuncItem& item, const Rect& box,
                                int frame) const {
  if (image_ && image_->image) {
    const int count = std::max(frame_count_, 1);
    const Rect source = Rect::FromSize(std::clamp(frame, 0, count - 1) * frame_width_, 0,
                                       frame_width_, frame_height_);
    if (box.Width() <= kStretchWidth) {
      MRender::DrawImage(cr, *image_->image, box, source);
    } else {
      MRender::DrawImageFrame(cr, *image_->image, box, source, kFrameCorner);
    }
  }
  if (item.icon) {
    Point at = MRender::GetOriginPoint(box.Width(), box.Height(), kIconSize, kIconSize,
                                       kAlignCenter, kAlignVCenter);
    MRender::DrawImage(cr, *item.icon,
                       Rect::FromSize(box.left + at.x, box.top + at.y, kIconSize, kIconSize),
                       Rect::FromSize(0, 0, item.icon->Width(), item.icon->Height()));
    return;
  }
  TextFormat format;
  format.h_align = kAlignCenter;
  format.v_align = kAlignVCenter;
  format.single_line = true;
  FontSpec font = GetFontSpec();
  if (std::string family = GetFontFamily(); !family.empty()) font.family = family;
  MRender::DrawString(cr, item.text, box, font, format, text_color_);
}

}  // namespace tumi
