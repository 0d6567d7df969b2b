#include "uilib/controls/CComboBoxList.h"

#include <algorithm>

#include "platform/window/VirtualKeys.h"
#include "uilib/controls/CScrollVertical.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, const Rect& rect, int visible,
                             int enabled)
    : MPanel(parent, id, rect, visible),
      hover_fill_(Manager::GetSelectColor()),
      selection_fill_(Manager::GetSelectColor()) {
  enabled_ = enabled;
  h_align_ = kAlignLeft;
  v_align_ = kAlignVCenter;
}

int CComboBoxList::AddItem(const std::string& text, long data, const std::string& second_text,
                           Argb color) {
  int index;
  {
    std::lock_guard lock(items_lock_);
    items_.push_back(ComboItem{text, second_text, color, data, {}});
    index = static_cast<int>(items_.size()) - 1;
  }
  if (index + 1 > kRowsWithoutBar) UpdateBar();
  return index;
}

int CComboBoxList::DelAllItems() {
  {
    std::lock_guard lock(items_lock_);
    if (items_.empty()) return 0;
    items_.clear();
  }
  selected_ = -1;
  hover_ = -1;
  title_.clear();
  UpdateBar();
  UpdateControl(1, 0);
  return 0;
}

int CComboBoxList::GetItemCount() const {
  std::lock_guard lock(items_lock_);
  return static_cast<int>(items_.size());
}

void CComboBoxList::SetTextColor(Argb color) {
  if (color == text_color_) return;
  text_color_ = color;
  UpdateControl(1, 0);
}

ListView CComboBoxList::GetView() const {
  return ListScroll::View(GetItemCount(), kItemHeight, rect_.Height(), GetBarPosition(),
                          GetBarMaximum());
}

Rect CComboBoxList::GetRowRect(int row) const {
  if (row < 0 || row >= GetItemCount()) return {};
  int top = rect_.top + row * kItemHeight - GetView().offset;
  return Rect{rect_.left, top, rect_.left + DrawWidth(), top + kItemHeight};
}

void CComboBoxList::SetControlRect(const Rect& rect) {
  if (rect == rect_) return;
  MPanel::SetControlRect(rect);
  UpdateBar();
}

void CComboBoxList::UpdateBar() {
  FitBarToContent(GetItemCount() * kItemHeight);
}

int CComboBoxList::RowAtPoint(Point p) const {
  if (!rect_.Contains(p) || p.x >= rect_.left + DrawWidth()) return -1;
  return ListScroll::RowAt(GetView(), GetItemCount(), kItemHeight, p.y - rect_.top);
}

void CComboBoxList::SetHover(int row) {
  if (row == hover_) return;
  hover_ = row;
  UpdateControl(1, 0);
}

int CComboBoxList::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (GetItemCount() == 0) return 0;
  // The hovered row keeps the hover while the pointer stays on it.
  if (hover_ >= 0 && GetRowRect(hover_).Contains(p)) return 1;
  SetHover(RowAtPoint(p));
  return rect_.Contains(p) ? 1 : 0;
}

int CComboBoxList::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (GetItemCount() == 0) return 0;
  if (hover_ < 0 || !GetRowRect(hover_).Contains(p)) hover_ = RowAtPoint(p);
  if (hover_ != selected_) {
    selected_ = hover_;
    UpdateControl(1, 0);
  }
  return 1;
}

int CComboBoxList::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  // A release away from the list takes nothing back and picks nothing.
  if (selected_ < 0 || selected_ >= GetItemCount() || !rect_.Contains(p)) return 0;
  SendMessageW(kNotifyActivated, static_cast<std::uintptr_t>(selected_), kPickMarker);
  return 1;
}

int CComboBoxList::OnControlScroll(int /*kind*/, int direction, Point /*p*/) {
  if (!IsBarVisible()) return 0;
  int step = 2 * vertical_->GetScrollStep();
  if (SetBarPosition(GetBarPosition() + (direction == 1 ? step : -step))) UpdateControl(1, 0);
  return 1;
}

void CComboBoxList::SelectByKey(int row) {
  int count = GetItemCount();
  if (count == 0) return;
  row = std::clamp(row, 0, count - 1);
  SetBarPosition(ListScroll::PositionShowing(row, count, kItemHeight, rect_.Height(),
                                             GetBarPosition(), GetBarMaximum()));
  selected_ = row;
  hover_ = row;
  UpdateControl(1, 0);
}

int CComboBoxList::OnControlKeyDown(int key, int repeat, int modifiers) {
  namespace vk = platform::vk;
  if (modifiers == 0 && enabled_) {
    int page = std::max(rect_.Height() / kItemHeight, 1);
    int from = selected_ >= 0 ? selected_ : hover_;
    switch (key) {
      case vk::kUp:
        SelectByKey(from < 0 ? 0 : from - 1);
        return 1;
      case vk::kDown:
        SelectByKey(from + 1);
        return 1;
      case vk::kPrior:
        SelectByKey(from - page);
        return 1;
      case vk::kNext:
        SelectByKey(from < 0 ? page - 1 : from + page);
        return 1;
      case vk::kHome:
        SelectByKey(0);
        return 1;
      case vk::kEnd:
        SelectByKey(GetItemCount() - 1);
        return 1;
      case vk::kReturn:
        if (selected_ < 0 || selected_ >= GetItemCount()) return 1;
        SendMessageW(kNotifyActivated, static_cast<std::uintptr_t>(selected_), kPickMarker);
        return 1;
      default:
        break;
    }
  }
  return MPanel::OnControlKeyDown(key, repeat, modifiers);
}

long CComboBoxList::OnMessage(unsigned id, unsigned code, std::uintptr_t /*wparam*/,
                              std::intptr_t /*lparam*/) {
  if (id == 1 && code == kNotifyScrolled) UpdateControl(1, 0);
  return 1;
}

void CComboBoxList::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    // Drawn under the lock: nothing below calls back into the list.
    std::lock_guard lock(items_lock_);
    std::vector<ComboItem>& items = items_;
    ListView view = ListScroll::View(static_cast<int>(items.size()), kItemHeight, h,
                                     GetBarPosition(), GetBarMaximum());
    int draw_width = DrawWidth();
    TextFormat format;
    format.h_align = kAlignLeft;
    format.v_align = kAlignVCenter;
    format.single_line = true;
    format.rendering_hint = rendering_hint_;
    for (int i = view.first; i >= 0 && i <= view.last; ++i) {
      int top = i * kItemHeight - view.offset;
      bool filled = i == selected_ || i == hover_;
      if (filled) {
        Argb fill = i == selected_ ? selection_fill_ : hover_fill_;
        MRender::DrawColor(g, Rect::FromSize(2, top, draw_width - 4, kItemHeight), fill);
      }
      MRender::DrawString(g, items[i].text, Rect::FromSize(0, top, draw_width, kItemHeight),
                          GetFontSpec(), format, filled ? highlight_text_color_ : text_color_);
    }
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
      int top = rect_.top + i * kItemHeight - view.offset;
      items_[i].rect = Rect{rect_.left, top, rect_.left + draw_width, top + kItemHeight};
    }
  }
  PaintSlot(cr, 0);
}

}  // namespace tumi
