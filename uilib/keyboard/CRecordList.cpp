#include "uilib/keyboard/CRecordList.h"

#include <climits>
#include <cstdlib>

#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/keyboard/CentredText.h"

namespace tumi {

namespace {

// A typed delay as the C library's long conversion reads it: leading blanks,
// a sign, digits up to the first other character; 0 when there are none.
// Five digits cannot overflow, a pasted text is clamped all the same.
int ParseDelay(const std::string& text) {
  long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

CRecordList::CRecordList(MObject* parent, unsigned id, const Rect& rect, int visible)
    : RowList(parent, id, rect, visible, kItemHeight) {}

const char* CRecordList::KindText(int type) {
  switch (type) {
    case RecordItem::kKeyDown:
      return "Key Down";
    case RecordItem::kKeyUp:
      return "Key Up";
    default:
      return "";
  }
}

int CRecordList::AddString(const std::string& text, int type, int value, int delay) {
  auto item = std::make_unique<RecordItem>();
  item->text = text;
  item->type = type;
  item->value = value;
  item->delay = delay;
  return Append(std::move(item));
}

std::vector<RecordItem*> CRecordList::GetRecordItems() const {
  std::lock_guard lock(lock_);
  std::vector<RecordItem*> rows;
  rows.reserve(items_.size());
  for (const auto& item : items_) rows.push_back(item.get());
  return rows;
}

bool CRecordList::UpdateDelayTime(int delay) {
  {
    std::lock_guard lock(lock_);
    if (items_.empty()) return false;
    items_.back()->delay = delay;
  }
  Repaint();
  return true;
}

void CRecordList::ConfigureEditor(TextField& editor) {
  editor.SetNumberOnly(true);
  editor.SetLimitText(kDelayMaxDigits);
  editor.SetAlignment(kAlignCenter);
}

Rect CRecordList::EditRect(int row) const {
  int top = RowOnScreen(row).top + (item_height_ - font_size_) / 2 - 3;
  return {rect_.left + kDelayLeft, top, rect_.left + kDelayRight, top + font_size_ + 3};
}

void CRecordList::ShowEdit() {
  const int row = hover_;
  if (!enabled_ || selected_ < 0 || row < 0) return;
  std::string delay;
  {
    std::lock_guard lock(lock_);
    if (row >= static_cast<int>(items_.size())) return;
    delay = std::to_string(items_[row]->delay);
  }
  OpenEditor(row, EditRect(row), delay, kEditBackground);
}

void CRecordList::HideEdit(bool force) {
  if (edit_ < 0) return;
  if (!force && edit_ == selected_) return;
  const int row = edit_;
  std::string text = TakeEditorText();
  if (text.empty()) text = std::to_string(kDefaultDelay);
  const int delay = ParseDelay(text);
  bool changed = false;
  {
    std::lock_guard lock(lock_);
    if (row < static_cast<int>(items_.size()) && items_[row]->delay != delay) {
      items_[row]->delay = delay;
      changed = true;
    }
  }
  if (changed) SendMessageW(kNotifyEditEnded, 0, row);
  Repaint();
}

void CRecordList::DrawControl(cairo_t* cr, const Rect& clip) {
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
    const FontSpec font = GetFontSpec();
    const TextFormat format = CentredText(rendering_hint_);
    std::lock_guard lock(lock_);
    v_scroll_offset_ = offset;
    first_ = view.FirstVisible();
    last_ = view.LastVisible();
    for (int i = std::max(first_, 0); i <= last_; ++i) {
      RecordItem& item = *items_[i];
      item.rect = {0, i * item_height_, width, (i + 1) * item_height_};
      const int top = i * item_height_ - offset;
      const Argb outline = i == selected_ ? select_color_ : i == hover_ ? hover_color_ : 0;
      if (outline != 0) {
        MRender::DrawRoundRectange(g, 0.5, top + 0.5, width - 2, item_height_ - 1, 0, outline, 1.0,
                                   false, 0);
      }
      auto column = [&](int left, int right) { return Rect{left, top, right, top + item_height_}; };
      MRender::DrawString(g, item.text, column(kTextLeft, kTextRight), font, format, text_color_);
      MRender::DrawString(g, KindText(item.type), column(kKindLeft, kKindRight), font, format,
                          text_color_);
      // The editor covers the delay it edits.
      if (!(i == edit_ && Editing())) {
        MRender::DrawString(g, std::to_string(item.delay), column(kDelayLeft, kDelayRight), font,
                            format, text_color_);
      }
    }
  }
  PaintSlot(cr, 0);
  DrawEditor(cr, clip);
}

int CRecordList::OnControlLButtonDown(unsigned flags, Point p) {
  if (EditorPress(flags, p)) return 1;
  if (!enabled_) return 0;
  if (!rect_.Contains(p)) return 1;
  UpdateHover(p);
  selected_ = hover_;
  const int x = p.x - rect_.left;
  if (hover_ >= 0 && x >= kDelayLeft && x < kDelayRight) {
    ShowEdit();
  } else {
    HideEdit(false);
  }
  SendMessageW(kNotifyPressed, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(selected_)),
               0);
  Repaint();
  return 1;
}

int CRecordList::OnControlLButtonUp(unsigned flags, Point p) {
  if (EditorRelease(flags, p)) return 1;
  return enabled_ ? 1 : 0;
}

int CRecordList::OnControlRButtonUp(unsigned /*flags*/, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  UpdateHover(p);
  selected_ = hover_;
  if (hover_ >= 0) SendMessageW(kNotifyRightReleased, static_cast<std::uintptr_t>(hover_), 0);
  Repaint();
  return 1;
}

}  // namespace tumi
