#include "uilib/controls/MTabCtrl.h"

#include <algorithm>
#include <cstdlib>

#include "uilib/controls/MTabLayout.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace {

// Vertical strips: icon and title share the item's height, the title in a
// 20-pixel line under the icon.
constexpr int kTitleFontSize = 13;
constexpr int kTitleHeight = 20;
constexpr int kIconTitleGap = 25;
constexpr int kTitleRaise = 20;
constexpr int kTitleDrop = 3;
constexpr Argb kTitleNormal = 0xFFFFFFFF;
constexpr Argb kTitleHot = 0xFFFF0000;
// Horizontal strips: icons sit 10 pixels below the row top.
constexpr int kIconTop = 10;
// Cache slots of a vertical strip: normal, hovered, selected, disabled.
constexpr int kVerticalSlots = 4;
constexpr int kSlotHover = 1;
constexpr int kSlotSelected = 2;
// Cache rows of a horizontal strip: normal, lit (hovered or selected), normal.
constexpr int kHorizontalRows = 3;

}  // namespace

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, "", visible, enabled, 1) {
  frame_count_ = 3;
}

long MTabCtrl::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) {
  return parent_ ? parent_->OnBaseMessage(id, code, wparam, lparam) : 0;
}

// ---------------------------------------------------------------- items

int MTabCtrl::InsertItem(unsigned id, const std::string& title, const std::string& image_name,
                         MControl* page, int frame_count, int width) {
  TabItemInfo item;
  item.id = id;
  item.title = title;
  item.page = page;
  item.frame_count = frame_count == -1 ? 3 : std::max(frame_count, 1);
  if (!image_name.empty()) {
    // The item owns its icon: it is not shared through the window's cache.
    std::string path = SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), image_name));
    item.image = MRender::LoadImageFromFile(path);
  }
  if (item.image) {
    item.frame_width = item.image->Width() / item.frame_count;
    item.frame_height = item.image->Height();
  }
  int item_width = width > 0 ? width : item.frame_width;
  item.rect = Rect{rect_.left, rect_.top, rect_.left + item_width, rect_.bottom};
  // Appended after the last visible item; a vertical strip gets its 1-pixel
  // gaps at the next full layout.
  int x = rect_.left + pad_left_;
  int y = rect_.top + pad_top_;
  for (const TabItemInfo& other : items_) {
    if (!other.visible) continue;
    if (tab_type_ == kVertical) {
      y = other.rect.bottom;
    } else {
      x = other.rect.right;
    }
  }
  PlaceItem(item, x, y, 0);
  items_.push_back(std::move(item));
  if (tab_type_ == kVertical) {
    SetItemHeight(item_height_max_, item_height_min_, 1);
  } else {
    SetItemWidth(item_width_max_, item_width_min_, 1);
  }
  UpdateControl(1, 0);
  return 1;
}

TabItemInfo* MTabCtrl::GetItemInfo(int index) {
  return Valid(index) ? &items_[index] : nullptr;
}

int MTabCtrl::SetItemText(int index, const std::string& title) {
  if (!Valid(index)) return 0;
  items_[index].title = title;
  // No repaint of its own, but the next one shows the new title.
  cache_valid_ = 0;
  return 1;
}

void MTabCtrl::SetItemVisible(int index, int visible) {
  if (!Valid(index)) return;
  items_[index].visible = visible;
  RefreshItems();
}

int MTabCtrl::GetItemVisible(int index) const {
  return Valid(index) ? items_[index].visible : 0;
}

unsigned MTabCtrl::GetItemID(int index) const {
  return Valid(index) ? items_[index].id : 0;
}

void MTabCtrl::DeleteItem(int index) {
  if (!Valid(index)) return;
  StopSlide();
  MControl* page = items_[index].page;
  items_.erase(items_.begin() + index);
  // The selection stays with its item when an earlier one goes.
  if (index < selected_) --selected_;
  if (index < previous_) --previous_;
  if (index == previous_) previous_ = -1;
  hover_ = -1;
  last_tooltip_ = -1;
  if (page) {
    std::vector<MControl*> own = ChildrenSnapshot();
    bool shared = std::any_of(items_.begin(), items_.end(),
                              [page](const TabItemInfo& i) { return i.page == page; });
    if (!shared && std::find(own.begin(), own.end(), page) != own.end()) RemoveControl(page);
  }
  RefreshItems();
}

// ---------------------------------------------------------------- layout

void MTabCtrl::PlaceItem(TabItemInfo& item, int& x, int& y, int gap) {
  if (tab_type_ == kVertical) {
    if (item_height_ == 0) item_height_ = item.frame_height;
    if (ctrl_width_ == 0) ctrl_width_ = item.rect.Width();
    // Each tab is as high as the strip height; without one, the item height.
    int height = ctrl_height_ > 0 ? ctrl_height_ : item_height_;
    item.rect = Rect{x, y, x + ctrl_width_, y + height};
    y += height + gap;
    return;
  }
  if (item_width_ == 0) item_width_ = item.rect.Width();
  if (ctrl_height_ == 0) ctrl_height_ = item.frame_height;
  item.rect = Rect{x, y, x + item_width_, y + ctrl_height_};
  x += item_width_;
}

void MTabCtrl::RefreshItems() {
  int x = rect_.left + pad_left_;
  int y = rect_.top + pad_top_;
  for (TabItemInfo& item : items_) {
    if (!item.visible) {
      item.rect = Rect{};
      continue;
    }
    PlaceItem(item, x, y, 1);
  }
  if (selected_ >= GetItemCount()) selected_ = LastVisible();
  if (hover_ >= GetItemCount()) hover_ = -1;
  ShowPages();
  UpdateControl(1, 0);
}

int MTabCtrl::ShareOut(int length, int padding, int maximum, int minimum) const {
  if (minimum <= 0) return maximum;
  int share = (length - padding) / GetItemCount();
  return std::min(std::max(share, minimum), maximum);
}

void MTabCtrl::SetItemWidth(int maximum, int minimum, int relayout) {
  item_width_max_ = maximum;
  item_width_min_ = minimum;
  if (items_.empty()) return;
  int width = ShareOut(StripWidth(), pad_left_ + pad_right_, maximum, minimum);
  if (width == item_width_) return;
  item_width_ = width;
  if (relayout) RefreshItems();
}

void MTabCtrl::SetItemHeight(int maximum, int minimum, int relayout) {
  item_height_max_ = maximum;
  item_height_min_ = minimum;
  if (items_.empty()) return;
  int height = ShareOut(StripHeight(), pad_top_ + pad_bottom_, maximum, minimum);
  if (height == item_height_) return;
  item_height_ = height;
  if (relayout) RefreshItems();
}

void MTabCtrl::SetControlRect(const Rect& rect) {
  rect_ = rect;
  if (tab_type_ == kVertical) {
    SetItemHeight(item_height_max_, item_height_min_, 0);
  } else {
    SetItemWidth(item_width_max_, item_width_min_, 0);
  }
  RefreshItems();
}

int MTabCtrl::LastVisible() const {
  for (int i = GetItemCount() - 1; i >= 0; --i) {
    if (items_[i].visible) return i;
  }
  return -1;
}

int MTabCtrl::ItemAt(Point p) const {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (items_[i].visible && items_[i].rect.Contains(p)) return i;
  }
  return -1;
}

Rect MTabCtrl::TabArea() const {
  Rect area = rect_;
  if (tab_type_ == kVertical) {
    area.right = std::min(area.right, area.left + ctrl_width_);
  } else {
    area.bottom = std::min(area.bottom, area.top + ctrl_height_);
  }
  return area;
}

// ---------------------------------------------------------------- selection

void MTabCtrl::ShowPages() {
  MControl* shown = PageOf(selected_);
  for (const TabItemInfo& item : items_) {
    if (item.page && item.page != shown && item.page->IsVisible()) item.page->SetVisible(0);
  }
  if (shown && !shown->IsVisible()) shown->SetVisible(1);
}

int MTabCtrl::SetSelectItem(int index) {
  if (index == selected_ || !Valid(index)) return selected_;
  previous_ = selected_;
  selected_ = index;
  hover_ = -1;
  // The owner hears of the change while the old page is still up.
  SendMessageW(kNotifyActivated, static_cast<std::uintptr_t>(index));
  ShowPages();
  if (animate_) StartSlide();
  UpdateControl(0, 0);
  return previous_;
}

void MTabCtrl::SetControlVisible(int visible) {
  visible_ = visible;
  if (!visible) {
    StopSlide();
    for (const TabItemInfo& item : items_) {
      if (item.page && item.page->IsVisible()) item.page->SetVisible(0);
    }
    return;
  }
  MControl* shown = PageOf(selected_);
  for (const TabItemInfo& item : items_) {
    if (item.page && item.page != shown && item.page->IsVisible()) item.page->SetVisible(0);
  }
  if (shown) shown->SetVisible(visible);
}

// ---------------------------------------------------------------- input

int MTabCtrl::OnCheckMouseResponse(unsigned /*flags*/, Point p) {
  if (!TabArea().Contains(p)) return 1;
  return ItemAt(p) >= 0 ? 1 : 0;
}

int MTabCtrl::OnControlMouseMove(unsigned /*flags*/, Point p) {
  int before = hover_;
  if (rect_.Contains(p)) {
    if (Valid(hover_) && items_[hover_].rect.Contains(p)) {
      if (last_tooltip_ != hover_) {
        last_tooltip_ = hover_;
        SetTooltip(items_[hover_].title, items_[hover_].rect);
      }
      return 0;
    }
    hover_ = -1;
    last_tooltip_ = -1;
    if (manager_) {
      manager_->ClearTooltip();
      manager_->SetTooltipOwner(nullptr);
    }
    hover_ = ItemAt(p);
  } else {
    hover_ = -1;
    if (manager_ && manager_->GetTooltipOwner() == this) manager_->ClearTooltip();
  }
  if (hover_ == before) return 0;
  UpdateControl(0, 0);
  return 1;
}

int MTabCtrl::OnControlLButtonDown(unsigned /*flags*/, Point /*p*/) {
  pressed_ = 1;
  return 1;
}

int MTabCtrl::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  int hovered = hover_;
  if (p.x > 0 && p.y > 0 && Valid(hovered) && items_[hovered].rect.Contains(p)) {
    SetSelectItem(hovered);
  }
  pressed_ = 0;
  UpdateControl(0, 0);
  return 1;
}

int MTabCtrl::OnControlScroll(int kind, int direction, Point p) {
  MControl* page = PageOf(selected_);
  if (!page || !items_[selected_].rect.Contains(p)) return 0;
  return page->OnScroll(kind, direction, p);
}

int MTabCtrl::OnControlKeyDown(int key, int repeat, int modifiers) {
  if (MControl* page = PageOf(selected_)) return page->OnKeyDown(key, repeat, modifiers);
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

int MTabCtrl::PtInTabButton(Point p, int item) const {
  if (!Valid(item)) return 0;
  return items_[item].button_rect.Offset(rect_.left, rect_.top).Contains(p) ? 1 : 0;
}

void MTabCtrl::SetTabTooltip(int index, const std::string& text) {
  if (index == last_tooltip_) return;
  if (Valid(index)) SetTooltip(text, items_[index].rect);
  last_tooltip_ = index;
}

void MTabCtrl::ClearTabTooltip() {
  last_tooltip_ = -1;
  if (manager_ && manager_->GetTooltipOwner() == this) manager_->ClearTooltip();
}

MControl* MTabCtrl::CreatePanel(const std::string& class_name, unsigned id, const Rect& rect) {
  if (class_name != "MTabLayout") return nullptr;
  // AddControl hands it the window and runs its InitControl.
  return AddControl(std::make_unique<MTabLayout>(this, id, rect, 1));
}

// ---------------------------------------------------------------- drawing

void MTabCtrl::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  if (rect_.IsEmpty()) return;
  if (tab_type_ == kVertical) {
    DrawVertical(cr);
  } else {
    DrawHorizontal(cr);
  }
}

void MTabCtrl::ShowFromCache(cairo_t* cr, int index, Point slot_origin, const Rect& area) {
  if (!Valid(index) || !items_[index].visible) return;
  Image* cache = GetMemImage();
  if (!cache) return;
  // Never copy from beyond the picture: the copy is unblended.
  Rect shown = items_[index].rect.Intersect(area);
  if (shown.IsEmpty()) return;
  MRender::BitBlt(cr, shown, cache->Surface(),
                  {slot_origin.x + shown.left - rect_.left, slot_origin.y + shown.top - rect_.top});
}

void MTabCtrl::DrawVertical(cairo_t* cr) {
  int strip = StripWidth();
  int height = rect_.Height();
  if (strip <= 0 || height <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, strip * kVerticalSlots, height);
    if (!cache) return;
    Graphics g(*cache);
    FontSpec font{Manager::GetFontName(), kTitleFontSize, font_style_};
    TextFormat format;
    format.h_align = kAlignCenter;
    format.v_align = kAlignVCenter;
    format.single_line = true;
    format.rendering_hint = 5;
    for (int slot = 0; slot < kVerticalSlots; ++slot) {
      int origin = slot * strip;
      MRender::BitBlt(g, Rect::FromSize(origin, 0, strip, height), cairo_get_target(cr),
                      {rect_.left, rect_.top});
      for (const TabItemInfo& item : items_) {
        if (!item.visible || !item.image) continue;
        int item_width = item_width_ > 0 ? item_width_ : item.rect.Width();
        int item_height = item_height_ > 0 ? item_height_ : item.rect.Height();
        int top = item.rect.top - rect_.top;
        int frame = std::min(slot, item.frame_count - 1);
        Rect icon = Rect::FromSize(origin + pad_left_ + (item_width - item.frame_width) / 2,
                                   top + (item_height - item.frame_height - kIconTitleGap) / 2,
                                   item.frame_width, item.frame_height);
        MRender::DrawImage(
            g, *item.image, icon,
            Rect::FromSize(frame * item.frame_width, 0, item.frame_width, item.frame_height));
        if (item.title.empty()) continue;
        Rect box =
            Rect::FromSize(origin,
                           top + item.frame_height +
                               (item_height - item.frame_height - kTitleRaise) / 2 + kTitleDrop,
                           item_width, kTitleHeight);
        MRender::DrawString(g, item.title, box, font, format, slot == 0 ? kTitleNormal : kTitleHot);
      }
    }
  }
  Image* cache = GetMemImage();
  if (!cache) return;
  Rect whole = Rect::FromSize(rect_.left, rect_.top, strip, height);
  MRender::BitBlt(cr, whole, cache->Surface(), {0, 0});
  ShowFromCache(cr, hover_, {kSlotHover * strip, 0}, whole);
  ShowFromCache(cr, selected_, {kSlotSelected * strip, 0}, whole);
}

void MTabCtrl::DrawHorizontal(cairo_t* cr) {
  int width = rect_.Width();
  int row = StripHeight();
  if (width <= 0 || row <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, width, row * kHorizontalRows);
    if (!cache) return;
    Graphics g(*cache);
    for (int r = 0; r < kHorizontalRows; ++r) {
      MRender::BitBlt(g, Rect::FromSize(0, r * row, width, row), cairo_get_target(cr),
                      {rect_.left, rect_.top});
      for (const TabItemInfo& item : items_) {
        if (!item.visible || !item.image) continue;
        int frame = r == 1 && item.frame_count > 1 ? 1 : 0;
        Rect icon =
            Rect::FromSize(item.rect.left - rect_.left + (item.rect.Width() - item.frame_width) / 2,
                           r * row + kIconTop + pad_top_, item.frame_width, item.frame_height);
        MRender::DrawImage(
            g, *item.image, icon,
            Rect::FromSize(frame * item.frame_width, 0, item.frame_width, item.frame_height));
      }
    }
  }
  Image* cache = GetMemImage();
  if (!cache) return;
  Rect whole = Rect::FromSize(rect_.left, rect_.top, width, row);
  MRender::BitBlt(cr, whole, cache->Surface(), {0, 0});
  ShowFromCache(cr, hover_, {0, row}, whole);
  ShowFromCache(cr, selected_, {0, row}, whole);
}

// ---------------------------------------------------------------- slide

int MTabCtrl::SlideLength() const {
  return tab_type_ == kVertical ? StripHeight() : StripWidth();
}

Rect MTabCtrl::SlideArea() const {
  MControl* in = PageOf(selected_);
  MControl* out = PageOf(previous_);
  if (in && !in->GetRect().IsEmpty()) return in->GetRect();
  return out ? out->GetRect() : Rect{};
}

void MTabCtrl::StartSlide() {
  h_offset_ = 0;
  v_offset_ = 0;
  MControl* in = PageOf(selected_);
  MControl* out = PageOf(previous_);
  // Without two pages, a window to time it or a strip to draw it, there is
  // nothing to slide.
  if (!in || !out || in == out || SlideArea().IsEmpty() || !manager_ || !visible_) return;
  if (!running_ && !manager_->SetTimer(this, kSlideTimer, kSlidePeriodMs)) return;
  running_ = 1;
  // The strip draws the incoming page itself until the slide ends; the
  // window's own pass must not draw it first at its resting place.
  in->SetControlVisible(0);
}

void MTabCtrl::StopSlide() {
  if (!running_) return;
  running_ = 0;
  if (manager_) manager_->KillTimer(this, kSlideTimer);
  if (MControl* in = PageOf(selected_)) {
    if (!in->IsVisible()) in->SetVisible(1);
  }
}

int MTabCtrl::OnControlTimer() {
  if (!running_) return 0;
  int length = SlideLength();
  int step = std::max(length / kSlideSteps, 1);
  bool forward = selected_ > previous_;
  int& offset = tab_type_ == kVertical ? v_offset_ : h_offset_;
  offset += forward ? step : -step;
  Rect area = (update_rect_.IsEmpty() ? SlideArea() : update_rect_).Union(rect_);
  if (length <= 0 || std::abs(offset) >= length) {
    offset = forward ? std::max(length, 0) : -std::max(length, 0);
    StopSlide();
  } else if (MControl* in = PageOf(selected_)) {
    // Kept out of the window's pass until the strip has drawn this frame.
    in->SetControlVisible(0);
  }
  UpdateControl(area, 0, 1);
  return 1;
}

int MTabCtrl::DrawSubControls(cairo_t* cr, const Rect& clip) {
  MControlFont::DrawSubControls(cr, clip);
  if (running_) DrawSlide(cr, clip);
  return 1;
}

void MTabCtrl::DrawSlide(cairo_t* cr, const Rect& clip) {
  MControl* out = PageOf(previous_);
  MControl* in = PageOf(selected_);
  Rect area = SlideArea();
  if (!out || !in || area.IsEmpty()) return;
  // Pictures in window coordinates, so the pages' caches take their
  // background from the same place as on the window.
  auto fit = [&](std::shared_ptr<Image>& picture) {
    if (!picture || picture->Width() != area.right || picture->Height() != area.bottom) {
      picture = Image::Create(area.right, area.bottom);
    }
    return picture != nullptr;
  };
  if (!fit(slide_out_) || !fit(slide_in_)) return;
  auto render = [&](const std::shared_ptr<Image>& picture, MControl* page) {
    Graphics g(*picture);
    MRender::BitBlt(g, area, cairo_get_target(cr), {area.left, area.top});
    int was = page->IsVisible();
    page->SetControlVisible(1);
    page->Draw(g, area);
    page->SetControlVisible(was);
  };
  render(slide_out_, out);
  render(slide_in_, in);
  in->SetControlVisible(1);
  int length = std::max(SlideLength(), 1);
  int offset = GetSlideOffset();
  bool vertical = tab_type_ == kVertical;
  int extent = vertical ? area.Height() : area.Width();
  // The offset runs over the strip's size; the pages move over their own.
  int shift = static_cast<int>(static_cast<long long>(extent) * std::abs(offset) / length);
  int out_shift = offset >= 0 ? -shift : shift;
  int in_shift = offset >= 0 ? extent - shift : shift - extent;
  cairo_save(cr);
  Rect shown = area.Intersect(clip);
  cairo_rectangle(cr, shown.left, shown.top, shown.Width(), shown.Height());
  cairo_clip(cr);
  auto place = [&](const std::shared_ptr<Image>& picture, int by) {
    Rect to = vertical ? area.Offset(0, by) : area.Offset(by, 0);
    MRender::BitBlt(cr, to, picture->Surface(), {area.left, area.top});
  };
  place(slide_out_, out_shift);
  place(slide_in_, in_shift);
  cairo_restore(cr);
}

}  // namespace tumi
