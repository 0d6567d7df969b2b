#include "uilib/controls/MListBox.h"

#include <algorithm>

#include "uilib/controls/CScrollVertical.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MImageList.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"

namespace tumi {

namespace {
constexpr unsigned kEditorId = 3;
// The rename box is a light field over the row's text.
constexpr Argb kEditorBack = 0xFFF7F8F8;
constexpr Argb kEditorDarkText = 0xFF1E1E1E;
constexpr int kEditorInset = 3;
constexpr int kDragPadding = 10;
constexpr int kDragMaxWidth = 300;
}  // namespace

MListBox::MListBox(MObject* parent, unsigned id, const Rect& rect, int visible)
    : MPanel(parent, id, rect, visible),
      hover_fill_(Manager::GetSelectColor()),
      selection_fill_(Manager::GetSelectColor()) {
  h_align_ = kAlignLeft;
  v_align_ = kAlignVCenter;
}

MListBox::~MListBox() {
  if (!editor_) return;
  // The list is going away: the field must not ask it for a repaint.
  editor_->SetParent(nullptr);
  editor_->EndEdit();
}

bool MListBox::ValidIndex(int index) const {
  std::lock_guard lock(items_lock_);
  return index >= 0 && index < static_cast<int>(items_.size());
}

int MListBox::AddString(const std::string& text, int icon) {
  return InsertString(-1, text, icon, 0);
}

int MListBox::AddString(const std::string& text, long data, int icon) {
  return InsertString(-1, text, icon, data);
}

int MListBox::InsertString(int index, const std::string& text, int icon, long data) {
  int inserted;
  {
    std::lock_guard lock(items_lock_);
    int count = static_cast<int>(items_.size());
    if (index < -1 || index > count) return -1;
    inserted = index == -1 ? count : index;
    items_.insert(items_.begin() + inserted, Item{text, icon, data});
  }
  // Selection and rename box stay on the rows they were on.
  if (selected_ >= inserted) ++selected_;
  if (edit_index_ >= inserted) ++edit_index_;
  hover_ = -1;
  UpdateBar();
  if (edit_index_ >= 0 && editor_) editor_->SetControlRect(EditorRect(edit_index_));
  UpdateControl(1, 0);
  return inserted;
}

int MListBox::SetItemData(int index, long data) {
  std::lock_guard lock(items_lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  items_[index].data = data;
  return 1;
}

long MListBox::GetItemData(int index) const {
  std::lock_guard lock(items_lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  return items_[index].data;
}

int MListBox::ModifyItemString(int index, const std::string& text) {
  {
    std::lock_guard lock(items_lock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    if (items_[index].text == text) return 1;
    items_[index].text = text;
  }
  UpdateControl(1, 0);
  return 1;
}

std::string MListBox::GetItemText(int index) const {
  std::lock_guard lock(items_lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  return items_[index].text;
}

int MListBox::FindString(const std::string& text) const {
  std::lock_guard lock(items_lock_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].text == text) return static_cast<int>(i);
  }
  return -1;
}

int MListBox::FindItemData(long data) const {
  std::lock_guard lock(items_lock_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].data == data) return static_cast<int>(i);
  }
  return -1;
}

int MListBox::GetItemCount() const {
  std::lock_guard lock(items_lock_);
  return static_cast<int>(items_.size());
}

int MListBox::SetCurData(long data) {
  int index = FindItemData(data);
  if (index >= 0) SetCurSel(index);
  return index;
}

int MListBox::SetCurSel(int index) {
  if (index < -1 || index >= GetItemCount()) return 0;
  if (index != selected_) {
    selected_ = index;
    UpdateControl(1, 0);
  }
  return 1;
}

void MListBox::SetItemHeight(int height) {
  if (height <= 0 || height == item_height_) return;
  item_height_ = height;
  UpdateBar();
  UpdateControl(1, 0);
}

int MListBox::DeleteItem(int index) {
  {
    std::lock_guard lock(items_lock_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
    items_.erase(items_.begin() + index);
  }
  // The selection follows its row or goes with it, so it never points past
  // the end; a rename of the deleted row is dropped.
  if (index < selected_) {
    --selected_;
  } else if (index == selected_) {
    selected_ = -1;
  }
  if (index == edit_index_) {
    CancelEdit();
  } else if (index < edit_index_) {
    --edit_index_;
  }
  hover_ = -1;
  UpdateBar();
  UpdateControl(1, 0);
  return 1;
}

int MListBox::DeleteAllItems() {
  {
    std::lock_guard lock(items_lock_);
    items_.clear();
  }
  CancelEdit();
  selected_ = -1;
  hover_ = -1;
  SetBarPosition(0);
  UpdateBar();
  UpdateControl(1, 0);
  return 1;
}

Rect MListBox::GetItemRect(int index) const {
  if (!ValidIndex(index)) return {};
  int top = rect_.top + index * item_height_ - GetView().offset;
  return Rect{rect_.left, top, rect_.left + DrawWidth(), top + item_height_};
}

int MListBox::SwapItem(int first, int second) {
  std::lock_guard lock(items_lock_);
  int count = static_cast<int>(items_.size());
  if (first < 0 || second < 0 || first >= count || second >= count) return 0;
  std::swap(items_[first], items_[second]);
  return 1;
}

ListView MListBox::GetView() const {
  return ListScroll::View(GetItemCount(), item_height_, rect_.Height(), GetBarPosition(),
                          GetBarMaximum());
}

void MListBox::UpdateBar() {
  FitBarToContent(GetItemCount() * item_height_);
}

void MListBox::SetControlRect(const Rect& rect) {
  if (rect == rect_) return;
  MPanel::SetControlRect(rect);
  UpdateBar();
}

int MListBox::RowAtPoint(Point p) const {
  if (!rect_.Contains(p) || p.x >= rect_.left + DrawWidth()) return -1;
  return ListScroll::RowAt(GetView(), GetItemCount(), item_height_, p.y - rect_.top);
}

void MListBox::SetHover(int row) {
  if (row == hover_) return;
  hover_ = row;
  UpdateControl(1, 0);
}

bool MListBox::InEditor(Point p) const {
  return edit_index_ >= 0 && editor_ && editor_->GetRect().Contains(p);
}

int MListBox::OnControlMouseMove(unsigned flags, Point p) {
  // A selection being dragged inside the rename box stays with it.
  if (edit_index_ >= 0 && editor_ && (InEditor(p) || pressed_inside_)) {
    editor_->OnControlMouseMove(flags, p);
  }
  if (GetItemCount() == 0) return 0;
  if (hover_ >= 0 && GetItemRect(hover_).Contains(p)) return 1;
  SetHover(RowAtPoint(p));
  return rect_.Contains(p) ? 1 : 0;
}

int MListBox::OnControlLButtonDown(unsigned flags, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 1;
  if (InEditor(p)) {
    editor_->OnControlLButtonDown(flags, p);
    return 1;
  }
  hover_ = RowAtPoint(p);
  selected_ = hover_;
  HideEdit();
  SendMessageW(kNotifyPressed, static_cast<std::uintptr_t>(selected_));
  UpdateControl(1, 0);
  return 1;
}

int MListBox::OnControlLButtonUp(unsigned flags, Point p) {
  if (edit_index_ >= 0 && editor_) editor_->OnControlLButtonUp(flags, p);
  return 1;
}

int MListBox::OnControlLButtonDblClk(unsigned flags, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  // A double click inside the rename box selects a word there.
  if (InEditor(p)) {
    editor_->OnControlLButtonDblClk(flags, p);
    return 1;
  }
  int row = RowAtPoint(p);
  if (row >= 0) {
    hover_ = row;
    selected_ = row;
    UpdateControl(1, 0);
    if (edit_enabled_) ShowEdit();
  }
  SendMessageW(kNotifyDoubleClicked, static_cast<std::uintptr_t>(selected_));
  return 1;
}

int MListBox::OnControlRButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_) return 0;
  int row = RowAtPoint(p);
  hover_ = row;
  if (row != selected_) {
    selected_ = row;
    UpdateControl(1, 0);
  }
  if (rect_.Contains(p) && row >= 0) {
    SendMessageW(kNotifyRightReleased, static_cast<std::uintptr_t>(row));
  }
  return 1;
}

int MListBox::OnControlScroll(int /*kind*/, int direction, Point /*p*/) {
  if (!IsBarVisible()) return 0;
  int step = kWheelRows * vertical_->GetScrollStep();
  if (SetBarPosition(GetBarPosition() + (direction == 1 ? step : -step))) {
    HideEdit();
    UpdateControl(1, 0);
  }
  return 1;
}

long MListBox::OnMessage(unsigned id, unsigned code, std::uintptr_t wparam, std::intptr_t lparam) {
  if ((id == 1 || id == 2) && code == kNotifyScrolled) {
    // The rows moved away from under the rename box.
    HideEdit();
    UpdateControl(1, 0);
  }
  return parent_ ? parent_->OnBaseMessage(id, code, wparam, lparam) : 0;
}

int MListBox::SetControlFocus(int focus) {
  MPanel::SetControlFocus(focus);
  if (!focus) {
    HideEdit();
    UpdateControl(1, 0);
  }
  return 0;
}

Rect MListBox::EditorRect(int row) const {
  Rect r = GetItemRect(row);
  if (r.IsEmpty()) return r;
  return Rect{r.left + kTextMargin - kEditorInset, r.top + kEditorInset, r.right - kEditorInset,
              r.bottom - kEditorInset};
}

Argb MListBox::EditorTextColor() const {
  // The list's text colour, unless it would vanish on the light box (white
  // on the default dark list).
  unsigned luminance =
      (299 * RedOf(text_color_) + 587 * GreenOf(text_color_) + 114 * BlueOf(text_color_)) / 1000;
  return luminance > 160 ? kEditorDarkText : (text_color_ | 0xFF000000);
}

void MListBox::ShowEdit() {
  if (!edit_enabled_ || !enabled_ || !ValidIndex(selected_) || !manager_) return;
  if (edit_index_ == selected_) return;
  HideEdit();
  int row = selected_;
  SetBarPosition(ListScroll::PositionShowing(row, GetItemCount(), item_height_, rect_.Height(),
                                             GetBarPosition(), GetBarMaximum()));
  Rect box = EditorRect(row);
  if (!editor_) {
    editor_ = std::make_unique<TextField>(this, kEditorId, box);
    editor_->SetOnEnter([this] { HideEdit(); });
    editor_->SetOnEscape([this] { CancelEdit(); });
  } else {
    editor_->SetControlRect(box);
  }
  editor_->SetManager(manager_);
  editor_->SetFont(GetFontSpec());
  editor_->SetTextColor(EditorTextColor());
  editor_->SetBackColor(kEditorBack);
  editor_->SetText(GetItemText(row));
  editor_->SetControlVisible(1);
  edit_index_ = row;
  // Losing the focus ends the rename.
  TakeFocus();
  editor_->BeginEdit(false);
  UpdateControl(1, 0);
}

void MListBox::CancelEdit() {
  if (edit_index_ < 0) return;
  edit_index_ = -1;
  if (editor_) {
    editor_->EndEdit();
    editor_->SetControlVisible(0);
  }
  UpdateControl(1, 0);
}

void MListBox::HideEdit() {
  if (edit_index_ < 0) return;
  int row = edit_index_;
  std::string text = editor_ ? editor_->GetText() : std::string();
  // Closed first: whatever path ends the rename, it is reported once.
  CancelEdit();
  if (!ValidIndex(row) || text == GetItemText(row)) return;
  ModifyItemString(row, text);
  SendMessageW(kNotifyEditEnded, 0, row);
}

std::shared_ptr<const Image> MListBox::GetControlDropBitmap() {
  if (!enabled_ || !ValidIndex(hover_)) return nullptr;
  if (selected_ != hover_) {
    selected_ = hover_;
    UpdateControl(1, 0);
  }
  FontSpec font = GetFontSpec();
  font.pixel_size += 2;
  TextFormat format;
  format.v_align = kAlignVCenter;
  format.single_line = true;
  std::string text = GetItemText(hover_);
  int width = std::min(MRender::GetTextBounds(font, text, format).cx + kTextMargin + kDragPadding,
                       kDragMaxWidth);
  std::shared_ptr<Image> image = Image::Create(width, item_height_);
  if (!image) return nullptr;
  Graphics g(*image);
  MRender::DrawColor(g, Rect::FromSize(0, 0, width, item_height_), selection_fill_);
  MRender::DrawString(g, text, Rect{kTextMargin, 0, width, item_height_}, font, format,
                      text_color_);
  return image;
}

void MListBox::DrawControl(cairo_t* cr, const Rect& clip) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    // Drawn under the lock: nothing below calls back into the list.
    std::lock_guard lock(items_lock_);
    std::vector<Item>& items = items_;
    ListView view = ListScroll::View(static_cast<int>(items.size()), item_height_, h,
                                     GetBarPosition(), GetBarMaximum());
    int draw_width = DrawWidth();
    TextFormat format;
    format.v_align = kAlignVCenter;
    format.single_line = true;
    format.rendering_hint = rendering_hint_;
    for (int i = view.first; i >= 0 && i <= view.last; ++i) {
      int top = i * item_height_ - view.offset;
      Rect row = Rect::FromSize(0, top, draw_width, item_height_);
      if (i == hover_) {
        MRender::DrawColor(g, row, hover_fill_);
      } else if (i == selected_) {
        MRender::DrawColor(g, row, selection_fill_);
      }
      if (images_ && items[i].icon >= 0) {
        if (const ImageListEntry* icon = images_->GetItemImageData(items[i].icon)) {
          Size size = images_->GetIconSize();
          if (size.cx <= 0 || size.cy <= 0) size = {icon->frame_width, icon->height};
          Rect box = Rect::FromSize((kTextMargin - size.cx) / 2, top + (item_height_ - size.cy) / 2,
                                    size.cx, size.cy);
          images_->DrawItemIcon(g, box, items[i].icon);
        }
      }
      // The row being renamed shows the rename box instead of its text.
      if (i == edit_index_) continue;
      MRender::DrawString(g, items[i].text, Rect{kTextMargin, top, draw_width, top + item_height_},
                          GetFontSpec(), format, text_color_);
    }
  }
  PaintSlot(cr, 0);
  if (edit_index_ >= 0 && editor_ && editor_->IsVisible()) editor_->DrawControl(cr, clip);
}

}  // namespace tumi
