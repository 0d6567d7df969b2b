#include "uilib/keyboard/DListBox.h"

#include <algorithm>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace {

constexpr int kEditRightGap = 10;
constexpr int kEditFrameCount = 4;

TextFormat RowText(int rendering_hint) {
  TextFormat format;
  format.h_align = kAlignLeft;
  format.v_align = kAlignVCenter;
  format.wrap = false;
  format.rendering_hint = rendering_hint;
  return format;
}

// The rename box's height for the list's font size and its top inside a row:
// the sizes the skins use get boxes fitted to their glyphs.
struct EditBand {
  int top;
  int height;
};
EditBand EditBandFor(int font_size, int row_height) {
  switch (font_size) {
    case 8:
      return {(row_height - 12) / 2, 12};
    case 14:
      return {(row_height - 20) / 2 - 1, 20};
    case 16:
      return {(row_height - 24) / 2 - 1, 24};
    default:
      return {(row_height - font_size - 6) / 2, font_size + 6};
  }
}

}  // namespace

DListBox::DListBox(MObject* parent, unsigned id, const Rect& rect, int visible)
    : RowList(parent, id, rect, visible, kItemHeight) {}

int DListBox::AddString(const std::string& text, std::uint32_t data, int image) {
  auto item = std::make_unique<DListItem>();
  item->text = text;
  item->data = data;
  item->image = image;
  return Append(std::move(item));
}

int DListBox::InsertString(int index, const std::string& text, int image, std::uint32_t data) {
  if (index < -1 || index >= GetItemCount()) return -1;
  if (index == -1) return AddString(text, data, image);
  auto item = std::make_unique<DListItem>();
  item->text = text;
  item->data = data;
  item->image = image;
  InsertAt(index, std::move(item));
  return index;
}

std::string DListBox::GetItemText(int index) const {
  std::lock_guard lock(lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return {};
  return items_[index]->text;
}

bool DListBox::ModifyItemString(int index, const std::string& text) {
  std::lock_guard lock(lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return false;
  items_[index]->text = text;
  return true;
}

std::uint32_t DListBox::GetItemData(int index) const {
  std::lock_guard lock(lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return 0;
  return items_[index]->data;
}

bool DListBox::SetItemData(int index, std::uint32_t data) {
  std::lock_guard lock(lock_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return false;
  items_[index]->data = data;
  return true;
}

int DListBox::FindString(const std::string& text) const {
  std::lock_guard lock(lock_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->text == text) return static_cast<int>(i);
  }
  return -1;
}

int DListBox::FindItemData(std::uint32_t data) const {
  std::lock_guard lock(lock_);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->data == data) return static_cast<int>(i);
  }
  return -1;
}

std::uint32_t DListBox::GetCurData() const {
  return GetItemData(selected_);
}

int DListBox::SetCurData(std::uint32_t data) {
  int index = FindItemData(data);
  if (index >= 0) SetCurSel(index);
  return index;
}

int DListBox::SetImage(const std::string& name, int frame_count) {
  return MControlFont::SetImage(name, frame_count);
}

int DListBox::SetEditImage(const std::string& name, int /*frame_count*/) {
  if (!manager_) return 0;
  const ImgResInfo* info = manager_->AddImgResInfo(name, kEditFrameCount);
  if (!info || !info->image) return 0;
  edit_image_ = info;
  Repaint();
  return 1;
}

int DListBox::PtInRect(Point p) const {
  return visible_ ? MControl::PtInRect(p) : 0;
}

Rect DListBox::EditRect(int row) const {
  Rect line = RowOnScreen(row);
  int left = line.left + kTextMargin + (image_list_ ? kTextMargin : 0);
  EditBand band = EditBandFor(font_size_, item_height_);
  return {left, line.top + band.top, line.right - kEditRightGap, line.top + band.top + band.height};
}

void DListBox::ShowEdit() {
  if (!edit_enabled_ || !enabled_ || selected_ < 0 || selected_ >= GetItemCount()) return;
  OpenEditor(selected_, EditRect(selected_), GetItemText(selected_), kEditBackground);
}

void DListBox::HideEdit(bool force) {
  if (edit_ < 0) return;
  if (!force && edit_ == selected_) return;
  const int row = edit_;
  const std::string text = TakeEditorText();
  bool changed = false;
  {
    std::lock_guard lock(lock_);
    if (row < static_cast<int>(items_.size()) && items_[row]->text != text) {
      items_[row]->text = text;
      changed = true;
    }
  }
  // The owner checks the new name (and may put the old one back).
  if (changed) SendMessageW(kNotifyEditEnded, 0, row);
  Repaint();
}

void DListBox::DrawStateImage(cairo_t* cr, int frame, int top) {
  if (!image_ || !image_->image) return;
  frame = std::clamp(frame, 0, std::max(frame_count_, 1) - 1);
  Rect source = Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_);
  Rect dest = Rect::FromSize((kTextMargin - frame_width_) / 2,
                             top + (item_height_ - frame_height_) / 2, frame_width_, frame_height_);
  MRender::DrawImage(cr, *image_->image, dest, source);
}

void DListBox::DrawRow(cairo_t* cr, int row, const DListItem& item, int top, int width) {
  const int state_frame = row == selected_ ? 1 : 0;
  if (row == edit_ && Editing()) {
    DrawStateImage(cr, state_frame, top);
    if (edit_image_ && edit_image_->image) {
      int frame_width = edit_image_->image->Width() / kEditFrameCount;
      Rect source = Rect::FromSize(frame_width, 0, frame_width, edit_image_->height);
      Rect dest{kTextMargin - 3, top, width - 6, top + item_height_};
      MRender::DrawImageFrame(cr, *edit_image_->image, dest, source, kEditCorner);
    }
    return;
  }
  Rect fill{1, top, width, top + item_height_};
  if (row == hover_) {
    MRender::DrawColor(cr, fill, hover_color_);
  } else if (row == selected_) {
    MRender::DrawColor(cr, fill, select_color_);
  }
  DrawStateImage(cr, state_frame, top);
  MRender::DrawString(cr, item.text, Rect{kTextMargin, top, width, top + item_height_},
                      GetFontSpec(), RowText(rendering_hint_), text_color_);
}

void DListBox::DrawControl(cairo_t* cr, const Rect& clip) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w, h);
    if (!cache) return;
    Graphics g(*cache);
    const ListViewport view = Viewport();
    const int offset = view.Offset();
    const int width = RowWidth();
    std::lock_guard lock(lock_);
    v_scroll_offset_ = offset;
    first_ = view.FirstVisible();
    last_ = view.LastVisible();
    for (int i = std::max(first_, 0); i <= last_; ++i) {
      DListItem& item = *items_[i];
      item.rect = {0, i * item_height_, width, (i + 1) * item_height_};
      DrawRow(g, i, item, i * item_height_ - offset, width);
    }
  }
  PaintSlot(cr, 0);
  DrawEditor(cr, clip);
}

std::shared_ptr<const Image> DListBox::GetControlDropBitmap() {
  const int row = hover_;
  const std::string text = GetItemText(row);
  if (row < 0 || row >= GetItemCount()) return nullptr;
  selected_ = row;
  FontSpec font = GetFontSpec();
  font.pixel_size += 2;
  int width = std::min(MRender::GetTextBounds(font, text).cx + kTextMargin + 10, kDragWidthLimit);
  auto image = MRender::CreateARGB32Bitmap(width, item_height_);
  if (!image) return nullptr;
  Graphics g(*image);
  MRender::DrawColor(g, Rect{0, 0, width, item_height_}, select_color_);
  MRender::DrawString(g, text, Rect{kTextMargin, 0, width, item_height_}, font,
                      RowText(rendering_hint_), text_color_);
  return image;
}

int DListBox::OnControlLButtonDown(unsigned flags, Point p) {
  if (EditorPress(flags, p)) return 1;
  if (!enabled_) return 0;
  UpdateHover(p);
  const int row = RowAtPoint(p);
  if (row < 0) return 1;
  selected_ = row;
  SendMessageW(kNotifyPressed, static_cast<std::uintptr_t>(row), 0);
  HideEdit(false);
  Repaint();
  return 1;
}

int DListBox::OnControlLButtonUp(unsigned flags, Point p) {
  if (EditorRelease(flags, p)) return 1;
  if (!enabled_) return 0;
  const int row = RowAtPoint(p);
  if (row < 0) return 1;
  selected_ = row;
  SendMessageW(kNotifyActivated, static_cast<std::uintptr_t>(row), 0);
  Repaint();
  return 1;
}

int DListBox::OnControlRButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  UpdateHover(p);
  selected_ = hover_;
  SendMessageW(kNotifyRightReleased,
               static_cast<std::uintptr_t>(static_cast<std::intptr_t>(hover_)), 0);
  Repaint();
  return 1;
}

}  // namespace tumi
