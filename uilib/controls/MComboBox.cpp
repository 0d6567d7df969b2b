#include "uilib/controls/MComboBox.h"

#include <algorithm>

#include "platform/window/VirtualKeys.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {
constexpr Argb kDisabledText = 0xFF808080;
// The strip's nine-patch margins until SetShowModeMID sets others.
constexpr Margins kDrawMargins{10, 10, 36, 10};
constexpr int kPopupGap = 2;
constexpr int kPopupInsetLeft = 4;
constexpr int kPopupInsetRight = 6;

Rect DefaultTextRect(const Rect& control) {
  return Rect{6, 6, control.Width() - 30, control.Height() - 6};
}
}  // namespace

MComboBox::MComboBox(MObject* parent, unsigned id, const Rect& rect, int visible, int enabled)
    : MControlFont(parent, id, rect, {}, visible, enabled, 1),
      state_(enabled ? 0 : 3),
      text_rect_(DefaultTextRect(rect)) {
  h_align_ = kAlignLeft;
  frame_count_ = 4;
}

MComboBox::~MComboBox() {
  DropPopup();
}

void MComboBox::DropPopup() {
  if (!popup_) return;
  // The window's end must not call back into a combo box that is going away
  // or replacing it.
  popup_->SetParent(nullptr);
  popup_.reset();
}

int MComboBox::AddItem(const std::string& text, long data, const std::string& second_text,
                       Argb color) {
  return InsertItem(-1, text, data, second_text, color);
}

int MComboBox::InsertItem(int index, const std::string& text, long data,
                          const std::string& second_text, Argb color) {
  std::lock_guard lock(items_lock_);
  int count = static_cast<int>(items_.size());
  if (index < -1 || (count > 0 && index > count - 1)) return -1;
  ComboItem item{text, second_text, color, data, {}};
  if (index == -1 || count == 0) {
    items_.push_back(std::move(item));
    return count;
  }
  items_.insert(items_.begin() + index, std::move(item));
  // The selection stays on the item it was on.
  if (cur_sel_ >= index) ++cur_sel_;
  return index;
}

int MComboBox::SetItemData(int index, long data) {
  std::lock_guard lock(items_lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  items_[index].data = data;
  return 1;
}

long MComboBox::GetItemData(int index) const {
  std::lock_guard lock(items_lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  return items_[index].data;
}

int MComboBox::SetItemText(int index, const std::string& text) {
  {
    std::lock_guard lock(items_lock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    if (items_[index].text == text) return 1;
    items_[index].text = text;
  }
  if (index == cur_sel_) title_ = text;
  if (visible_) UpdateControl(1, 0);
  return 1;
}

std::string MComboBox::GetItemText(int index) const {
  std::lock_guard lock(items_lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  return items_[index].text;
}

int MComboBox::GetItemCount() const {
  std::lock_guard lock(items_lock_);
  return static_cast<int>(items_.size());
}

int MComboBox::SetCurSel(int index) {
  {
    std::lock_guard lock(items_lock_);
    if (index < -1 || index >= static_cast<int>(items_.size())) return 0;
    title_ = index == -1 ? std::string() : items_[index].text;
  }
  cur_sel_ = index;
  if (visible_) UpdateControl(1, 0);
  return 1;
}

long MComboBox::GetCurData() const {
  return GetItemData(cur_sel_);
}

int MComboBox::FindData(long data) const {
  std::lock_guard lock(items_lock_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].data == data) return static_cast<int>(i);
  }
  return -1;
}

int MComboBox::SelectData(long data) {
  int index = FindData(data);
  if (index < 0) return 0;
  SetCurSel(index);
  return 1;
}

int MComboBox::DeleteItem(int index) {
  {
    std::lock_guard lock(items_lock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    items_.erase(items_.begin() + index);
  }
  // The selection follows its item, or is cleared with it, so it never
  // points past the end or at another item than the title shows.
  if (index < cur_sel_) {
    --cur_sel_;
  } else if (index == cur_sel_) {
    cur_sel_ = -1;
    title_.clear();
    if (visible_) UpdateControl(1, 0);
  }
  return 1;
}

int MComboBox::DelAllItems() {
  cur_sel_ = -1;
  title_.clear();
  {
    std::lock_guard lock(items_lock_);
    items_.clear();
  }
  UpdateControl(1, 0);
  return 1;
}

void MComboBox::SetTextRect(const Rect& rect) {
  text_rect_ = rect;
  text_rect_set_ = true;
  if (visible_) UpdateControl(1, 0);
}

int MComboBox::SetShowModeMID(int left, int top, int right, int bottom) {
  margins_ = Margins{left, top, right, bottom};
  margins_set_ = true;
  UpdateControl(1, 0);
  return 1;
}

void MComboBox::SetControlRect(const Rect& rect) {
  MControlFont::SetControlRect(rect);
  // The default text area follows the control's size.
  if (!text_rect_set_) text_rect_ = DefaultTextRect(rect_);
}

void MComboBox::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  UpdateControl(0, 0);
}

void MComboBox::SetControlEnabled(int enabled) {
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? 0 : 3;
  if (!enabled) ClosePopup();
}

void MComboBox::SetControlVisible(int visible) {
  MControlFont::SetControlVisible(visible);
  if (!visible) ClosePopup();
}

void MComboBox::ClosePopup() {
  // A drop-down must not outlive the combo box being usable; its window's end
  // clears the open look.
  if (open_ && popup_) popup_->CloseWindow();
}

int MComboBox::OnControlMouseMove(unsigned /*flags*/, Point p) {
  if (!enabled_ || pressed_inside_) return 0;
  bool inside = rect_.Contains(p);
  SetState(inside ? 1 : 0);
  return inside ? 1 : 0;
}

int MComboBox::OnControlLButtonDown(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  open_ = false;
  SetState(2);
  return 1;
}

int MComboBox::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  bool pressed = state_ == 2;
  if (!rect_.Contains(p)) {
    SetState(0);
    return 1;
  }
  SetState(1);
  if (pressed) OnMessage(kOpenRequestId, kNotifyActivated, 0, 0);
  return 1;
}

int MComboBox::OnControlKeyDown(int key, int repeat, int modifiers) {
  namespace vk = platform::vk;
  // The desktop's drop-down keys open the focused combo box.
  bool open_key = (key == vk::kF4 && modifiers == 0) || (key == vk::kDown && modifiers == kModAlt);
  if (open_key && enabled_ && visible_ && IsFocusControl()) {
    OnMessage(kOpenRequestId, kNotifyActivated, 0, 0);
    return 1;
  }
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

long MComboBox::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) {
  if (id == kOpenRequestId && code == kNotifyActivated) {
    OpenPopup();
    return 1;
  }
  if (code == kNotifyActivated && lparam == CComboBoxList::kPickMarker) {
    int row = static_cast<int>(wparam);
    // A row the items no longer have (they changed while the list was open)
    // is no choice.
    bool picked = row >= 0 && SetCurSel(row) == 1;
    open_ = false;
    if (picked) SendMessageW(kNotifyActivated, wparam, 0);
    UpdateControl(0, 0);
    return 1;
  }
  if (code == CComboBoxWnd::kNotifyClosed) {
    open_ = false;
    UpdateControl(0, 0);
    return 1;
  }
  return 0;
}

Rect MComboBox::PopupRect(int rows) const {
  MWindow* window = manager_ ? manager_->GetMDialog() : nullptr;
  if (!window) return {};
  int list_height = rows * kRowHeight;
  int width = rect_.Width();
  Point below = window->ClientToScreen(Point{rect_.left, rect_.bottom + kPopupGap});
  Rect popup{below.x + kPopupInsetLeft, below.y, below.x + width - kPopupInsetRight,
             below.y + list_height + kPopupFrame};
  Point corner = window->ClientToScreen(Point{rect_.left, rect_.top});
  Rect work = popup;
  if (platform::WindowSystem* system = Manager::GetWindowSystem()) {
    Rect control = Rect::FromSize(corner.x, corner.y, width, rect_.Height());
    work =
        FromPlatform(platform::NearestMonitor(system->Monitors(), ToPlatform(control)).work_area);
  }
  if (work.bottom < popup.bottom) {
    popup = Rect{corner.x, corner.y - list_height - kPopupFrame, corner.x + width, corner.y};
  }
  return popup;
}

void MComboBox::OpenPopup() {
  if (!manager_ || !manager_->GetMDialog()) return;
  int rows = std::min(GetItemCount(), kMaxVisibleRows);
  Rect screen = PopupRect(rows);
  DropPopup();
  popup_ = std::make_unique<CComboBoxWnd>(this, scroll_v_, scroll_h_);
  if (!popup_->Open(manager_->GetPaintWnd(), screen)) {
    DropPopup();
    return;
  }
  if (!back_image_.empty()) {
    popup_->SetBackMode(kBackNinePatch, 6);
    popup_->LoadBKImage(back_image_);
  } else if (back_image_id_ != 0) {
    // The library has no image resources of its own to load by id: the frame
    // mode is kept and the natural background shows.
    popup_->SetBackMode(kBackNinePatch, 6);
  }
  CComboBoxList* list = popup_->GetList();
  if (list) {
    std::vector<ComboItem> items;
    {
      std::lock_guard lock(items_lock_);
      items = items_;
    }
    for (const ComboItem& item : items) {
      list->AddItem(item.text, item.data, item.second_text, item.color);
    }
    list->SetFont(font_name_, font_size_, font_style_);
    // The current choice is where keyboard selection starts.
    if (cur_sel_ >= 0) list->SelectRow(cur_sel_);
    list->SetTextColor(text_color_);
    list->UpdateControl(1, 0);
  }
  popup_->Popup();
  open_ = true;
  UpdateControl(0, 0);
}

void MComboBox::DrawControl(cairo_t* cr, const Rect& /*clip*/) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * 4, h);
    if (!cache) return;
    Graphics g(*cache);
    TextFormat format;
    format.h_align = kAlignLeft;
    format.v_align = kAlignVCenter;
    format.single_line = true;
    format.rendering_hint = rendering_hint_;
    Margins margins = margins_set_ ? margins_ : kDrawMargins;
    for (int slot = 0; slot < 4; ++slot) {
      int x = slot * w;
      if (image_ && image_->image && frame_width_ > 0) {
        Rect source = Rect::FromSize(std::min(slot, frame_count_ - 1) * frame_width_, 0,
                                     frame_width_, frame_height_);
        MRender::DrawImageFrameMID(g, *image_->image, Rect::FromSize(x, 0, w, h), source, margins);
      }
      if (!title_.empty()) {
        Rect box{x + text_rect_.left, 0, x + text_rect_.right, h};
        MRender::DrawString(g, title_, box, GetFontSpec(), format,
                            slot == 3 ? kDisabledText : text_color_);
      }
    }
  }
  PaintSlot(cr, open_ ? 2 : state_);
}

}  // namespace tumi
