#include "uilib/controls/MRichEdit.h"

#include <algorithm>

#include "platform/window/MessageIds.h"
#include "uilib/core/Graphics.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/MenuWnd.h"
#include "uilib/core/SkinPath.h"

namespace tumi {

namespace {
constexpr int kSlots = 4;
constexpr int kCorner = 4;
constexpr Argb kTipGrey = 0xFF808080;
constexpr int kMenuWidth = 160;

// The rich edit whose context menu is open: the menu's answer is for it.
MRichEdit* menu_owner = nullptr;

// The menu underlines no mnemonics, so their markers are not shown.
std::string WithoutMnemonic(std::string title) {
  std::erase(title, '&');
  return title;
}
}  // namespace

MRichEdit::MRichEdit(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                     int visible, int enabled)
    : MPanel(parent, id, rect, visible), field_(std::make_unique<TextField>(this, id, rect)) {
  enabled_ = enabled;
  state_ = enabled ? 0 : 3;
  tab_stop_ = 1;
  cursor_ = static_cast<int>(platform::CursorShape::kIBeam);
  field_->SetText(title);
  field_->SetControlVisible(visible);
  field_->SetControlEnabled(enabled);
  field_->SetMultiLine(false);
  field_->SetFont(GetFontSpec());
  field_->SetTextColor(text_color_);
  field_->SetOnChange([this] { OnTextChanged(); });
}

MRichEdit::~MRichEdit() {
  if (menu_owner == this) menu_owner = nullptr;
  field_->EndEdit();
}

void MRichEdit::InitControl(PaintManager* manager) {
  MPanel::InitControl(manager);
  field_->SetManager(manager);
  PlaceField();
}

// Content.

int MRichEdit::GetTextLength() const {
  return TextModel::Utf16Length(field_->GetText());
}

std::string MRichEdit::GetText() const {
  return field_->GetText();
}

void MRichEdit::SetText(const std::string& text) {
  title_ = text;
  field_->SetText(text);
  redo_ready_ = false;
  if (visible_) UpdateControl(1, 0);
}

std::size_t MRichEdit::ByteAt(long ch) const {
  const TextModel& model = field_->Model();
  if (ch < 0) return model.Text().size();
  return model.ByteOffset(static_cast<int>(ch));
}

void MRichEdit::GetSel(long& start, long& end) const {
  const TextModel& model = field_->Model();
  start = model.Utf16Offset(model.SelectionStart());
  end = model.Utf16Offset(model.SelectionEnd());
}

void MRichEdit::SetSel(long start, long end) {
  if (start < 0) {
    field_->SetSel(field_->Model().Caret(), field_->Model().Caret());
    return;
  }
  field_->SetSel(ByteAt(start), ByteAt(end));
}

void MRichEdit::ReplaceSel(const std::string& text, bool /*can_undo*/) {
  // Plain text keeps the one undo step either way.
  if (field_->ReplaceSel(text)) {
    title_ = field_->GetText();
    modified_ = true;
    redo_ready_ = false;
  }
}

std::string MRichEdit::GetSelText() const {
  return field_->Model().SelectedText();
}

int MRichEdit::GetSelectionType() const {
  return field_->Model().HasSelection() ? 1 : 0;
}

std::string MRichEdit::GetTextRange(long start, long end) const {
  std::size_t from = ByteAt(start);
  std::size_t to = std::max(ByteAt(end), from);
  return field_->GetText().substr(from, to - from);
}

void MRichEdit::ScrollCaret() {
  field_->SetSel(field_->Model().Anchor(), field_->Model().Caret());
}

void MRichEdit::InsertText(long pos, const std::string& text, bool can_undo) {
  std::size_t at = ByteAt(pos);
  field_->SetSel(at, at);
  ReplaceSel(text, can_undo);
}

void MRichEdit::AppendText(const std::string& text, bool can_undo) {
  InsertText(-1, text, can_undo);
}

bool MRichEdit::CanUndo() const {
  return field_->CanUndo() && !redo_ready_;
}

bool MRichEdit::Undo() {
  if (!CanUndo() || !field_->Undo()) return false;
  redo_ready_ = true;
  return true;
}

bool MRichEdit::Redo() {
  if (!redo_ready_ || !field_->Undo()) return false;
  redo_ready_ = false;
  return true;
}

void MRichEdit::Clear() {
  if (field_->Model().DeleteSelection()) {
    field_->SetSel(field_->Model().Caret(), field_->Model().Caret());
    OnTextChanged();
  }
}

void MRichEdit::Cut() {
  field_->Cut();
}

void MRichEdit::Paste() {
  field_->Paste();
}

void MRichEdit::EmptyUndoBuffer() {
  TextModel& model = field_->Model();
  std::size_t anchor = model.Anchor();
  std::size_t caret = model.Caret();
  model.SetText(model.Text());
  model.Select(anchor, caret);
  redo_ready_ = false;
}

std::vector<std::pair<std::size_t, std::size_t>> MRichEdit::Lines() const {
  std::vector<std::pair<std::size_t, std::size_t>> lines;
  const std::string& text = field_->GetText();
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      lines.emplace_back(start, i);
      start = i + 1;
    }
  }
  return lines;
}

int MRichEdit::GetLineCount() const {
  return static_cast<int>(Lines().size());
}

std::string MRichEdit::GetLine(int line) const {
  auto lines = Lines();
  if (line < 0 || line >= static_cast<int>(lines.size())) return {};
  return field_->GetText().substr(lines[line].first, lines[line].second - lines[line].first);
}

int MRichEdit::LineFromChar(long ch) const {
  std::size_t at = ch < 0 ? field_->Model().Caret() : ByteAt(ch);
  auto lines = Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (at <= lines[i].second) return static_cast<int>(i);
  }
  return static_cast<int>(lines.size()) - 1;
}

int MRichEdit::LineIndex(int line) const {
  if (line < 0) line = LineFromChar(-1);
  auto lines = Lines();
  if (line >= static_cast<int>(lines.size())) return -1;
  return field_->Model().Utf16Offset(lines[line].first);
}

int MRichEdit::LineLength(int line) const {
  if (line < 0) line = LineFromChar(-1);
  return TextModel::Utf16Length(GetLine(line));
}

Point MRichEdit::PosFromChar(long ch) {
  Point origin = field_->TextOrigin();
  Rect caret = field_->Layout().CaretRect(ByteAt(ch));
  return {origin.x + caret.left, origin.y + caret.top};
}

long MRichEdit::CharFromPos(Point p) {
  Point origin = field_->TextOrigin();
  std::size_t index = field_->Layout().IndexAt({p.x - origin.x, p.y - origin.y});
  if (field_->IsPassword()) return -1;  // the laid-out text is not the text
  return field_->Model().Utf16Offset(index);
}

bool MRichEdit::GetZoom(int& numerator, int& denominator) const {
  numerator = zoom_numerator_;
  denominator = zoom_denominator_;
  return true;
}

bool MRichEdit::SetZoom(int numerator, int denominator) {
  // Zoom ratios between 1/64 and 64, or 0/0 for none.
  if (numerator == 0 && denominator == 0) {
    zoom_numerator_ = zoom_denominator_ = 0;
    return true;
  }
  if (numerator <= 0 || denominator <= 0 || numerator > 64 * denominator ||
      denominator > 64 * numerator) {
    return false;
  }
  zoom_numerator_ = numerator;
  zoom_denominator_ = denominator;
  return true;
}

// Properties.

void MRichEdit::SetWinStyle(unsigned style) {
  style_ = style;
  field_->SetMultiLine((style & kStyleMultiLine) != 0);
  field_->SetPassword((style & kStylePassword) != 0);
  field_->SetReadOnly((style & kStyleReadOnly) != 0);
  field_->SetNumberOnly((style & kStyleNumber) != 0);
  field_->SetAlignment((style & kStyleRight)    ? kAlignRight
                       : (style & kStyleCentre) ? kAlignCenter
                                                : kAlignLeft);
  if (visible_) UpdateControl(1, 0);
}

void MRichEdit::SetMultiLine(bool on) {
  SetWinStyle(on ? style_ | kStyleMultiLine : style_ & ~kStyleMultiLine);
}

void MRichEdit::SetReadOnly(bool on) {
  SetWinStyle(on ? style_ | kStyleReadOnly : style_ & ~kStyleReadOnly);
}

void MRichEdit::SetPassword(bool on) {
  SetWinStyle(on ? style_ | kStylePassword : style_ & ~kStylePassword);
}

void MRichEdit::SetTextPadding(const Rect& padding) {
  padding_ = padding;
  PlaceField();
}

void MRichEdit::SetTextColor(Argb color) {
  MPanel::SetTextColor(color);
  field_->SetTextColor(color);
}

void MRichEdit::SetFont(int size, int style) {
  font_size_ = size;
  font_style_ = style;
  field_->SetFont(GetFontSpec());
  if (visible_) UpdateControl(1, 0);
}

void MRichEdit::SetTextFont(const std::string& name) {
  MPanel::SetTextFont(name);
  field_->SetFont(GetFontSpec());
}

int MRichEdit::SetIconImage(const std::string& name, int frame_count) {
  std::shared_ptr<Image> icon = MRender::LoadImageFromFile(
      SkinPath::ResolveCase(SkinPath::Join(Manager::GetSkinFolder(), name)));
  if (!icon) return 0;
  icon_ = std::move(icon);
  icon_frames_ = std::max(frame_count, 1);
  if (visible_) UpdateControl(1, 0);
  return 1;
}

void MRichEdit::SetTipInfo(const std::string& tip) {
  tip_ = tip;
  if (visible_) UpdateControl(1, 0);
}

Rect MRichEdit::GetTextRect() const {
  return Rect{rect_.left + padding_.left, rect_.top + padding_.top, rect_.right - padding_.right,
              rect_.bottom - padding_.bottom};
}

void MRichEdit::PlaceField() {
  field_->SetControlRect(GetTextRect());
}

// Behaviour.

void MRichEdit::OnTextChanged() {
  modified_ = true;
  redo_ready_ = false;
  bool was_empty = title_.empty();
  title_ = field_->GetText();
  // The tip comes and goes with the text.
  if (was_empty != title_.empty()) UpdateControl(1, 0);
  SendMessageW(kNotifyTextChanged);
}

void MRichEdit::SetControlRect(const Rect& rect) {
  MPanel::SetControlRect(rect);
  PlaceField();
}

void MRichEdit::SetControlVisible(int visible) {
  MPanel::SetControlVisible(visible);
  field_->SetControlVisible(visible);
  if (!visible && field_->EndEdit()) state_ = 0;
}

void MRichEdit::SetControlEnabled(int enabled) {
  MPanel::SetControlEnabled(enabled);
  field_->SetControlEnabled(enabled);
  if (!enabled) field_->EndEdit();
  state_ = enabled ? 0 : 3;
}

int MRichEdit::SetControlFocus(int focus) {
  MPanel::SetControlFocus(focus);
  int before = state_;
  if (focus && enabled_) {
    state_ = 2;
    field_->BeginEdit(false);
  } else if (!focus) {
    state_ = enabled_ ? 0 : 3;
    field_->EndEdit();
  }
  if (state_ != before) UpdateControl(1, 0);
  return 0;
}

int MRichEdit::OnControlMouseMove(unsigned flags, Point p) {
  field_->OnControlMouseMove(flags, p);
  if (!enabled_ || state_ == 2) return rect_.Contains(p) ? 1 : 0;
  int state = rect_.Contains(p) ? 1 : 0;
  if (state != state_) {
    state_ = state;
    UpdateControl(0, 0);
  }
  return state;
}

int MRichEdit::OnControlLButtonDown(unsigned flags, Point p) {
  if (!enabled_ || !rect_.Contains(p)) return 0;
  if (state_ != 2) SetControlFocus(1);
  field_->OnControlLButtonDown(flags, p);
  SendMessageW(kNotifyPressed);
  return 1;
}

int MRichEdit::OnControlLButtonUp(unsigned flags, Point p) {
  field_->OnControlLButtonUp(flags, p);
  if (!enabled_ || !rect_.Contains(p)) return 0;
  SendMessageW(kNotifyActivated);
  return 1;
}

int MRichEdit::OnControlLButtonDblClk(unsigned flags, Point p) {
  int taken = OnControlLButtonDown(flags, p);
  if (taken) field_->OnControlLButtonDblClk(flags, p);
  return taken;
}

std::vector<MRichEdit::MenuEntry> MRichEdit::ContextMenuEntries() const {
  bool writable = !IsReadOnly();
  bool selected = field_->Model().HasSelection();
  return {
      {kMenuUndo, "Undo(&U)", CanUndo()},
      {kMenuRedo, "Redo(&R)", CanRedo()},
      {0, {}, false},
      {kMenuCut, "Cut(&X)", selected && writable && !IsPassword()},
      {kMenuCopy, "Copy(&C)", selected && !IsPassword()},
      {kMenuPaste, "Paste(&V)", CanPaste()},
      {kMenuClear, "Clear(&L)", selected && writable},
      {0, {}, false},
      {kMenuSelectAll, "SelectAll(&A)", !field_->GetText().empty()},
  };
}

void MRichEdit::RunMenuCommand(unsigned command) {
  switch (command) {
    case kMenuUndo:
      Undo();
      break;
    case kMenuRedo:
      Redo();
      break;
    case kMenuCut:
      Cut();
      break;
    case kMenuCopy:
      Copy();
      break;
    case kMenuPaste:
      Paste();
      break;
    case kMenuClear:
      Clear();
      break;
    case kMenuSelectAll:
      SetSelAll();
      break;
    default:
      break;
  }
}

int MRichEdit::OnControlRButtonUp(unsigned /*flags*/, Point p) {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!enabled_ || !rect_.Contains(p) || !manager_ || !system) return 0;
  platform::Point screen = system->ClientToScreen(manager_->GetPaintWnd(), {p.x, p.y});
  // The menu deletes itself when it closes.
  auto* menu = new MenuWnd(nullptr);
  if (!menu->Create(manager_->GetPaintWnd(), Point{screen.x, screen.y}, kMsgRichEditMenu, {}, 4,
                    kMenuWidth, kBackNatural)) {
    delete menu;
    return 1;
  }
  unsigned separator = 900;
  for (const MenuEntry& entry : ContextMenuEntries()) {
    if (entry.id == 0) {
      menu->AddSeparator(separator++);
      continue;
    }
    menu->AddMenu(WithoutMnemonic(entry.title), entry.id);
    menu->SetItemEnable(std::to_string(entry.id), entry.enabled ? 1 : 0);
  }
  menu_owner = this;
  menu->Popup();
  return 1;
}

long MRichEdit::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t lparam) {
  if (message == kMsgRichEditMenu && menu_owner == this) {
    menu_owner = nullptr;
    RunMenuCommand(static_cast<unsigned>(lparam));
    return 1;
  }
  return MPanel::OnWindowMessage(message, wparam, lparam);
}

void MRichEdit::DrawControl(cairo_t* cr, const Rect& clip) {
  int w = rect_.Width();
  int h = rect_.Height();
  if (w <= 0 || h <= 0) return;
  if (!cache_valid_) {
    Image* cache = UpdateMemDC(cr, w * kSlots, h);
    if (!cache) return;
    Graphics g(*cache);
    Rect text = GetTextRect().Offset(-rect_.left, -rect_.top);
    for (int slot = 0; slot < kSlots; ++slot) {
      Rect box = Rect::FromSize(slot * w, 0, w, h);
      if (image_ && image_->image) {
        Rect source = Rect::FromSize(slot * frame_width_, 0, frame_width_, frame_height_);
        MRender::DrawImageFrame(g, *image_->image, box, source, kCorner);
      }
      if (field_->GetText().empty() && !tip_.empty()) {
        TextFormat format;
        format.v_align = field_->Model().Rules().multi_line ? kAlignTop : kAlignVCenter;
        format.single_line = !field_->Model().Rules().multi_line;
        MRender::DrawString(g, tip_, text.Offset(slot * w, 0), GetFontSpec(), format, kTipGrey);
      }
    }
  }
  PaintSlot(cr, state_);
  if (icon_) {
    int width = icon_->Width() / icon_frames_;
    int top = rect_.top + (h - icon_->Height()) / 2;
    MRender::DrawImage(cr, *icon_, Rect::FromSize(rect_.left + 4, top, width, icon_->Height()),
                       Rect::FromSize(0, 0, width, icon_->Height()));
  }
  // Selections stay visible only while focused unless asked otherwise.
  field_->DrawControl(cr, clip);
}

// The one-line and log-on variants.

MEditEx::MEditEx(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                 int visible, int enabled)
    : MRichEdit(parent, id, rect, title, visible, enabled) {
  SetWinStyle(0x100080);
  Centre();
}

void MEditEx::Centre() {
  int inset = std::max(rect_.Height() / 2 - 8, 0);
  padding_ = Rect{padding_.left, inset, padding_.right, inset};
  PlaceField();
}

void MEditEx::SetControlRect(const Rect& rect) {
  MRichEdit::SetControlRect(rect);
  Centre();
}

CLogonEdit::CLogonEdit(MObject* parent, unsigned id, const Rect& rect, const std::string& title,
                       int visible, int enabled)
    : MRichEdit(parent, id, rect, title, visible, enabled) {
  SetWinStyle(0x100080);
  SetFont(16, font_style_);
  SetTextPadding(Rect{50, 14, 5, 5});
}

}  // namespace tumi
