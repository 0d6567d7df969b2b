#include "uilib/controls/MEdit.h"

#include <algorithm>

#include "platform/window/PointerInput.h"
#include "platform/window/VirtualKeys.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace {

constexpr int kSlots = 5;  // the four states, then the editing frame without text
constexpr int kEditingSlot = 4;
constexpr int kIconRightGap = 9;
constexpr int kIconTextGap = 6;
constexpr Argb kGrey = 0xFF808080;
constexpr ColorRef kNoBackground = 0xFFFFFFFF;

// The DrawText flags of the field's text.
constexpr unsigned kCentredLine = kDtCenter | kDtVCenter | kDtSingleLine | kDtWordEllipsis;
constexpr unsigned kWrappedLines = kDtWordBreak | kDtVCenter;
constexpr unsigned kLeftLine = kDtVCenter | kDtSingleLine | kDtWordEllipsis;

}  // namespace

MEdit::MEdit(MObject* parent, unsigned id, const Rect& rect, const std::string& title, int visible,
             int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1) {
  tab_stop_ = 1;
  dblclk_ = 1;
  text_color_ = 0xFFFFFFFF;
  // Every control draws in the library font; only the size is the field's.
  font_size_ = 14;
  h_align_ = kAlignLeft;
  state_ = enabled ? 0 : 3;
  cursor_ = static_cast<int>(platform::CursorShape::kIBeam);
}

MEdit::~MEdit() {
  // Quietly: the parent may be going away too.
  if (edit_) edit_->EndEdit();
}

void MEdit::SetEditText(const std::string& text) {
  if (text == title_) return;
  title_ = text;
  if (edit_ && edit_->IsEditing()) edit_->SetText(text);
}

std::string MEdit::GetEditText() const {
  if (edit_ && edit_->IsEditing()) return edit_->GetText();
  return title_;
}

std::string MEdit::GetControlTitle() const {
  // What the user typed is the title once editing has ended.
  const_cast<MEdit*>(this)->HideEdit();
  return title_;
}

void MEdit::SetEditFont() {
  custom_font_ = false;
}

void MEdit::SetEditFont(const std::string& name, int size, int bold, int underline, int italic) {
  int style =
      (bold ? kFontBold : 0) | (underline ? kFontUnderline : 0) | (italic ? kFontItalic : 0);
  edit_font_ = FontSpec{name.empty() ? Manager::GetFontName() : name, size, style};
  custom_font_ = true;
}

FontSpec MEdit::GetDefaultFont() const {
  if (custom_font_) return edit_font_;
  return FontSpec{Manager::GetFontName(), font_size_, font_style_};
}

void MEdit::SetTextRect(const Rect& rect) {
  text_rect_ = rect;
  has_text_rect_ = true;
}

Rect MEdit::ComputedTextRect(const Rect& box) const {
  Rect r;
  if (multi_line_) {
    r = Rect{box.left + 6, box.top + 5, box.right - 6, box.bottom - 5};
  } else {
    int line = font_size_ == 10 ? 14 : font_size_ == 12 ? 18 : font_size_;
    int top = box.top + (box.Height() - line) / 2;
    r = Rect{box.left + 8, top, box.right - 8, top + line};
  }
  if (icon_) r.right -= icon_->Width() / std::max(icon_frames_, 1) + kIconTextGap;
  return r;
}

Rect MEdit::GetTextRect() const {
  return has_text_rect_ ? text_rect_ : ComputedTextRect(rect_);
}

Rect MEdit::EditorRect() {
  Rect r = GetTextRect();
  if (r.IsEmpty()) {
    if (multi_line_) {
      r = rect_.Inset(6, 6);
    } else {
      int height = font_size_ + 2;
      int top = rect_.top + (rect_.Height() - height) / 2 + 1;
      r = Rect{rect_.left + 6, top, rect_.right - 6, top + height};
    }
  }
  if (!multi_line_ && edit_) {
    // A line box lower than the font's line would clip the glyphs.
    int line = edit_->LineHeight();
    if (r.Height() < line) {
      int grow = line - r.Height();
      r.top -= grow / 2;
      r.bottom += grow - grow / 2;
    }
  }
  return r;
}

void MEdit::Configure(CEditWnd& edit) {
  edit.SetFont(GetDefaultFont());
  edit.SetTextColor(text_color_);
  edit.SetBackColor(edit_back_ == kNoBackground ? 0 : ArgbFromColorRef(edit_back_, 255));
  edit.SetAlignment(static_cast<int>(h_align_));
  edit.SetMultiLine(multi_line_ != 0);
  edit.SetPassword(password_ != 0);
  edit.SetPasswordChar(password_char_);
  edit.SetLimitText(limit_);
  edit.SetNumberOnly(number_only_ != 0);
  edit.SetReadOnly(read_only_ != 0);
  edit.SetControlEnabled(enabled_ == 1);
}

void MEdit::SetEditWindow(std::unique_ptr<CEditWnd> edit) {
  HideEdit();
  edit_ = std::move(edit);
  if (edit_) edit_->SetManager(manager_);
}

bool MEdit::IsEditFocused() const {
  return edit_ && edit_->IsVisible() && edit_->IsEditing();
}

void MEdit::ShowEdit() {
  if (read_only_ || !enabled_ || !manager_) return;
  if (edit_ && edit_->IsEditing()) return;  // one session, one 30
  if (!edit_) {
    edit_ = std::make_unique<CEditWnd>(this, id_, GetTextRect());
    edit_->SetManager(manager_);
  }
  Configure(*edit_);
  edit_->SetText(title_);
  edit_->SetControlRect(EditorRect());
  edit_->SetControlVisible(1);
  edit_->BeginEdit(false);
  focused_ = 1;
  UpdateControl(0, 0);
  SendMessageW(kNotifyEditStarted);
}

void MEdit::HideEdit() {
  // Every path that ends editing comes here; only the first one reports it.
  if (!edit_ || !edit_->IsEditing()) return;
  std::string text = edit_->GetText();
  edit_->EndEdit();
  edit_->SetControlVisible(0);
  focused_ = 0;
  bool changed = text != title_ || title_stale_;
  title_ = std::move(text);
  UpdateControl(changed ? 1 : 0, 0);
  SendMessageW(kNotifyEditEnded);
}

void MEdit::OnEditChanged() {
  if (!edit_ || edit_->GetText() == title_) return;
  title_ = edit_->GetText();
  // The pictures are rebuilt when editing ends: meanwhile the editor covers
  // the text.
  title_stale_ = true;
  SendMessageW(kNotifyTextChanged);
}

int MEdit::SetIconImage(const std::string& name, int frame_count) {
  std::shared_ptr<Image> icon = MRender::LoadImageFromFile(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name)));
  if (!icon) return 0;
  icon_ = std::move(icon);
  icon_frames_ = std::max(frame_count, 1);
  PlaceIcon();
  if (visible_) UpdateControl(1, 0);
  return 1;
}

void MEdit::PlaceIcon() {
  if (!icon_) {
    icon_rect_ = {};
    return;
  }
  int width = icon_->Width() / icon_frames_;
  int height = icon_->Height();
  int top = rect_.top + (rect_.Height() - height) / 2;
  icon_rect_ =
      Rect{rect_.right - kIconRightGap - width, top, rect_.right - kIconRightGap, top + height};
}

void MEdit::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  UpdateControl(0, 0);
}

void MEdit::SetControlRect(const Rect& rect) {
  rect_ = rect;
  PlaceIcon();
  if (edit_) edit_->SetControlRect(EditorRect());
}

void MEdit::SetControlVisible(int visible) {
  if (!visible) HideEdit();
  MControlFont::SetControlVisible(visible);
}

void MEdit::SetControlEnabled(int enabled) {
  if (!enabled) HideEdit();
  MControlFont::SetControlEnabled(enabled);
  state_ = enabled ? 0 : 3;
}

int MEdit::SetControlFocus(int focus) {
  MControlFont::SetControlFocus(focus);
  int before = state_;
  if (focus) {
    state_ = 2;
    ShowEdit();
  } else {
    state_ = enabled_ ? 0 : 3;
    HideEdit();
  }
  if (state_ != before) UpdateControl(1, 0);
  return 0;
}

int MEdit::OnControlMouseMove(unsigned flags, Point p) {
  bool editing = edit_ && edit_->IsEditing();
  if (editing) edit_->OnControlMouseMove(flags, p);
  if (!enabled_) return 0;
  bool inside = rect_.Contains(p);
  if (!editing) {
    int icon_state = icon_ && icon_rect_.Contains(p) ? 1 : 0;
    bool changed = icon_state != icon_state_;
    icon_state_ = icon_state;
    if (state_ != 2 && state_ != (inside ? 1 : 0)) {
      state_ = inside ? 1 : 0;
      changed = true;
    }
    if (changed) UpdateControl(0, 0);
  }
  return inside ? 1 : 0;
}

int MEdit::OnControlLButtonDown(unsigned flags, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  if (icon_ && icon_rect_.Contains(p)) {
    icon_state_ = 2;
    HideEdit();
    UpdateControl(0, 0);
    SendMessageW(kNotifyEditButton);
    return 1;
  }
  state_ = 2;
  ShowEdit();
  UpdateControl(0, 0);
  // A press on the text puts the caret under the pointer.
  if (edit_ && edit_->IsEditing()) edit_->OnControlLButtonDown(flags, p);
  SendMessageW(kNotifyPressed);
  return 1;
}

int MEdit::OnControlLButtonUp(unsigned flags, Point p) {
  if (edit_ && edit_->IsEditing()) edit_->OnControlLButtonUp(flags, p);
  if (!enabled_) return 0;
  if (!rect_.Contains(p)) {
    state_ = 0;
    icon_state_ = 0;
    UpdateControl(0, 0);
    return 1;
  }
  if (icon_ && icon_rect_.Contains(p) && icon_state_ == 2) {
    icon_state_ = 1;
    HideEdit();
    UpdateControl(0, 0);
    SendMessageW(kNotifyEditButtonReleased);
    return 1;
  }
  icon_state_ = 0;
  bool was_pressed = state_ == 2;
  state_ = 1;
  UpdateControl(0, 0);
  if (was_pressed) SendMessageW(kNotifyActivated);
  return 1;
}

int MEdit::OnControlLButtonDblClk(unsigned flags, Point p) {
  int taken = OnControlLButtonDown(flags, p);
  // A double click on the text selects a word.
  if (taken && edit_ && edit_->IsEditing()) edit_->OnControlLButtonDblClk(flags, p);
  return taken;
}

int MEdit::OnControlScroll(int kind, int direction, Point p) {
  if (!edit_ || !edit_->IsEditing()) return 0;
  return edit_->OnControlScroll(kind, direction, p);
}

int MEdit::OnControlSetCursor(unsigned flags, Point p) {
  // The text takes an I-beam; the icon is a button.
  cursor_ = static_cast<int>(icon_ && icon_rect_.Contains(p) ? platform::CursorShape::kArrow
                                                             : platform::CursorShape::kIBeam);
  return MControlFont::OnControlSetCursor(flags, p);
}

int MEdit::OnControlKeyDown(int key, int repeat, int modifiers) {
  if (key == platform::vk::kSpace && modifiers == 0 && IsFocusControl()) {
    SendMessageW(kNotifyPressed);
    SendMessageW(kNotifyActivated);
    return 1;
  }
  return MControlFont::OnControlKeyDown(key, repeat, modifiers);
}

void MEdit::DrawSlot(cairo_t* cr, int slot, const Rect& box) const {
  int frame = slot == kEditingSlot ? 2 : slot;
  if (image_ && image_->image) {
    Rect source = Rect::FromSize(frame * frame_width_, 0, frame_width_, frame_height_);
    MRender::DrawImageFrame(cr, *image_->image, box, source, corner_);
  }
  if (slot == kEditingSlot) return;
  std::string shown;
  if (title_.empty()) {
    shown = tip_;
  } else if (password_) {
    std::string bullet = Utf8FromCodePoint(password_char_);
    for (std::size_t i = 0; i < title_.size(); ++i) {
      if ((static_cast<unsigned char>(title_[i]) & 0xC0) != 0x80) shown += bullet;
    }
  } else {
    shown = title_;
  }
  if (shown.empty()) return;
  ColorRef color = slot == 3 || title_.empty() ? ColorRefFromArgb(kGrey) : GetEditTextColor();
  unsigned flags = multi_line_ ? kWrappedLines : h_align_ == 1 ? kCentredLine : kLeftLine;
  // One line is never cut at the top or bottom of its box.
  if (!multi_line_) flags |= kDtNoClip;
  Rect text = GetTextRect().Offset(box.left - rect_.left, box.top - rect_.top);
  MRender::DrawTextW(cr, shown, text, color, GetDefaultFont(), flags);
}

void MEdit::DrawControl(cairo_t* cr, const Rect& clip) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * kSlots, h);
    if (!cache) return;
    Graphics g(*cache);
    for (int slot = 0; slot < kSlots; ++slot) DrawSlot(g, slot, Rect::FromSize(slot * w, 0, w, h));
    title_stale_ = false;
  }
  bool editing = edit_ && edit_->IsEditing();
  PaintSlot(cr, editing ? kEditingSlot : state_);
  if (editing) edit_->DrawControl(cr, clip);
  if (icon_) {
    int width = icon_->Width() / icon_frames_;
    int frame = std::clamp(icon_state_, 0, icon_frames_ - 1);
    MRender::DrawImage(cr, *icon_, icon_rect_,
                       Rect::FromSize(frame * width, 0, width, icon_->Height()));
  }
}

}  // namespace tumi
