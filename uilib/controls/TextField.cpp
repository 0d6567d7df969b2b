#include "uilib/controls/TextField.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"
#include "uilib/core/MRender.h"
#include "uilib/core/Manager.h"
#include "uilib/core/PaintManager.h"

namespace tumi {

namespace msg = platform::msg;
namespace vk = platform::vk;

std::string Utf8FromCodePoint(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    if (cp >= 0xD800 && cp <= 0xDFFF) return {};
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp <= 0x10FFFF) {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

namespace {

// Bytes of the first `count` code points of a UTF-8 text.
std::size_t PrefixBytes(const std::string& text, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count && pos < text.size(); ++i) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
  }
  return pos;
}

}  // namespace

TextField::TextField(MObject* parent, unsigned id, const Rect& rect)
    : MControl(parent, id, rect, 0, 1, 1), selection_color_(Manager::GetSelectColor()) {
  font_.family = Manager::GetFontName();
}

TextField::~TextField() {
  EndEdit();
}

void TextField::SetText(const std::string& text) {
  model_.SetText(text);
  composition_ = {};
  scroll_x_ = scroll_y_ = 0;
  layout_stale_ = true;
  if (editing_) {
    Refresh();
  } else {
    Repaint();
  }
}

void TextField::SetLimitText(int limit) {
  TextRules rules = model_.Rules();
  rules.limit = limit;
  model_.SetRules(rules);
}

void TextField::SetNumberOnly(bool on) {
  TextRules rules = model_.Rules();
  rules.digits_only = on;
  model_.SetRules(rules);
}

void TextField::SetMultiLine(bool on) {
  TextRules rules = model_.Rules();
  rules.multi_line = on;
  model_.SetRules(rules);
  layout_stale_ = true;
}

void TextField::SetReadOnly(bool on) {
  TextRules rules = model_.Rules();
  rules.read_only = on;
  model_.SetRules(rules);
}

void TextField::SetPassword(bool on) {
  password_ = on;
  layout_stale_ = true;
}

void TextField::SetPasswordChar(char32_t c) {
  std::string shown = Utf8FromCodePoint(c);
  if (shown.empty() || c < 0x20) return;
  password_char_ = c;
  bullet_ = shown;
  layout_stale_ = true;
}

void TextField::SetFont(const FontSpec& font) {
  font_ = font;
  layout_stale_ = true;
}

void TextField::SetTextColor(Argb color) {
  text_color_ = color;
}

void TextField::SetBackColor(Argb color) {
  back_color_ = color;
}

void TextField::SetAlignment(int h_align) {
  h_align_ = h_align;
  layout_stale_ = true;
}

void TextField::SetControlRect(const Rect& rect) {
  rect_ = rect;
  layout_stale_ = true;
  if (editing_) Refresh();
}

// Shown text and model positions.

std::string TextField::Shown(std::size_t from, std::size_t to) const {
  const std::string& text = model_.Text();
  to = std::min(to, text.size());
  if (from >= to) return {};
  if (!password_) return text.substr(from, to - from);
  std::string out;
  for (std::size_t pos = from; pos < to; pos = model_.NextChar(pos)) out += bullet_;
  return out;
}

std::size_t TextField::ToShown(std::size_t pos) const {
  std::size_t caret = model_.Caret();
  if (composition_.text.empty() || pos <= caret) return Shown(0, pos).size();
  return Shown(0, caret).size() + composition_.text.size() + Shown(caret, pos).size();
}

std::size_t TextField::FromShown(std::size_t index) const {
  auto advance = [this](std::size_t from, std::size_t shown_bytes) {
    if (!password_) return std::min(from + shown_bytes, model_.Text().size());
    std::size_t pos = from;
    for (std::size_t n = shown_bytes / bullet_.size(); n > 0; --n) pos = model_.NextChar(pos);
    return pos;
  };
  if (composition_.text.empty()) return advance(0, index);
  std::size_t caret = model_.Caret();
  std::size_t before = Shown(0, caret).size();
  if (index <= before) return advance(0, index);
  if (index < before + composition_.text.size()) return caret;
  return advance(caret, index - before - composition_.text.size());
}

const TextLayout& TextField::Layout() {
  if (layout_stale_) {
    std::size_t caret = model_.Caret();
    std::string before = Shown(0, caret);
    std::string shown = before + composition_.text + Shown(caret, model_.Text().size());
    int wrap = model_.Rules().multi_line ? std::max(rect_.Width(), 1) : 0;
    layout_.Set(shown, font_, wrap, h_align_, before.size(),
                before.size() + composition_.text.size());
    layout_stale_ = false;
  }
  return layout_;
}

int TextField::LineHeight() {
  return Layout().LineHeight();
}

Point TextField::TextOrigin() {
  const TextLayout& layout = Layout();
  if (model_.Rules().multi_line) return {rect_.left, rect_.top - scroll_y_};
  int width = layout.GetSize().cx;
  int room = rect_.Width();
  int align = 0;
  if (width < room) {
    if (h_align_ == kAlignCenter) align = (room - width) / 2;
    if (h_align_ == kAlignRight) align = room - width - 1;
  }
  int y = rect_.top + (rect_.Height() - layout.LineHeight()) / 2;
  return {rect_.left + align - scroll_x_, y};
}

Rect TextField::CaretClientRect() {
  const TextLayout& layout = Layout();
  std::size_t index = ToShown(model_.Caret()) + PrefixBytes(composition_.text, composition_.cursor);
  Point origin = TextOrigin();
  return layout.CaretRect(index).Offset(origin.x, origin.y);
}

std::size_t TextField::IndexAtPoint(Point client) {
  const TextLayout& layout = Layout();
  Point origin = TextOrigin();
  return FromShown(layout.IndexAt({client.x - origin.x, client.y - origin.y}));
}

void TextField::ScrollToCaret() {
  const TextLayout& layout = Layout();
  Rect caret = layout.CaretRect(ToShown(model_.Caret()) +
                                PrefixBytes(composition_.text, composition_.cursor));
  Size size = layout.GetSize();
  if (model_.Rules().multi_line) {
    int room = rect_.Height();
    if (caret.top < scroll_y_) scroll_y_ = caret.top;
    if (caret.bottom > scroll_y_ + room) scroll_y_ = caret.bottom - room;
    scroll_y_ = std::clamp(scroll_y_, 0, std::max(0, size.cy - room));
    return;
  }
  int room = rect_.Width();
  if (size.cx < room) {
    scroll_x_ = 0;
    return;
  }
  if (caret.left < scroll_x_) scroll_x_ = caret.left;
  if (caret.left >= scroll_x_ + room) scroll_x_ = caret.left - room + 1;
  // No empty space right of the text once it was scrolled.
  scroll_x_ = std::clamp(scroll_x_, 0, std::max(0, size.cx + 1 - room));
}

void TextField::UpdateCaret() {
  if (!editing_ || !manager_) return;
  Rect caret = CaretClientRect();
  bool inside = caret.left >= rect_.left && caret.left < rect_.right && caret.bottom > rect_.top &&
                caret.top < rect_.bottom;
  caret = caret.Intersect(Rect{caret.left, rect_.top, caret.left + 1, rect_.bottom});
  manager_->CreateCaret(1, caret.Height());
  manager_->SetCaretPos(this, caret.left, caret.top, text_color_);
  manager_->ShowCaret(inside ? 1 : 0);
}

void TextField::Repaint() {
  if (parent_) parent_->OnControlUpdate(rect_, 0, this);
}

void TextField::Refresh() {
  Layout();
  ScrollToCaret();
  UpdateCaret();
  Repaint();
}

void TextField::Edited() {
  preferred_x_ = -1;
  layout_stale_ = true;
  Refresh();
  // Last: the host may end editing or even free this field.
  if (on_change_) {
    auto notify = on_change_;
    notify();
  }
}

void TextField::Moved() {
  // The composition sits at the caret, so a move relays it out.
  if (!composition_.text.empty()) layout_stale_ = true;
  Refresh();
}

// Editing sessions.

void TextField::BeginEdit(bool select_all) {
  if (editing_ || !manager_) return;
  editing_ = true;
  focused_ = 1;
  dragging_ = false;
  composition_ = {};
  if (select_all) {
    model_.SelectAll();
  } else {
    model_.MoveTo(model_.Text().size(), false);
  }
  layout_stale_ = true;
  manager_->SetKeyboardOwner(this);
  Refresh();
  if (platform::WindowSystem* system = Manager::GetWindowSystem()) {
    Rect caret = CaretClientRect();
    system->StartTextInput(manager_->GetPaintWnd(),
                           platform::Rect{caret.left, caret.top, caret.right, caret.bottom});
  }
}

bool TextField::EndEdit() {
  if (!editing_) return false;
  editing_ = false;
  focused_ = 0;
  dragging_ = false;
  if (!composition_.text.empty()) {
    composition_ = {};
    layout_stale_ = true;
  }
  if (manager_) {
    if (manager_->GetKeyboardOwner() == this) manager_->SetKeyboardOwner(nullptr);
    if (manager_->GetCurrentCaretObject() == this) manager_->ShowCaret(0);
  }
  if (platform::WindowSystem* system = Manager::GetWindowSystem()) system->StopTextInput();
  Repaint();
  return true;
}

// Commands.

bool TextField::Copy() {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  // A password never leaves the field.
  if (!system || password_ || !model_.HasSelection()) return false;
  return system->SetClipboardText(model_.SelectedText());
}

bool TextField::Cut() {
  if (model_.Rules().read_only || !Copy()) return false;
  if (model_.DeleteSelection()) Edited();
  return true;
}

bool TextField::CanPaste() const {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  return system && !model_.Rules().read_only && !system->ClipboardText().empty();
}

bool TextField::Paste() {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!system) return false;
  if (!model_.Insert(system->ClipboardText())) return false;
  Edited();
  return true;
}

bool TextField::Undo() {
  if (!model_.Undo()) return false;
  Edited();
  return true;
}

void TextField::SelectAll() {
  model_.SelectAll();
  Moved();
}

void TextField::SetSel(std::size_t anchor, std::size_t caret) {
  model_.Select(anchor, caret);
  Moved();
}

bool TextField::ReplaceSel(const std::string& text) {
  bool changed = text.empty() ? model_.DeleteSelection() : model_.Insert(text);
  if (changed) {
    layout_stale_ = true;
    Refresh();
  }
  return changed;
}

// Input.

bool TextField::Ctrl() const {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  return system && system->IsKeyDown(vk::kControl);
}

bool TextField::Shift() const {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  return system && system->IsKeyDown(vk::kShift);
}

long TextField::OnWindowMessage(std::uint32_t message, std::uintptr_t wparam,
                                std::intptr_t /*lparam*/) {
  if (!editing_) return 0;
  switch (message) {
    case msg::kKeyDown:
      return OnKey(static_cast<int>(wparam));
    case msg::kChar:
      return OnChar(static_cast<char32_t>(wparam));
    case msg::kImeStartComposition:
    case msg::kImeComposition:
    case msg::kImeEndComposition:
      OnComposition(message);
      return 1;
    default:
      return 0;
  }
}

std::size_t TextField::LineEdge(bool end) {
  if (!model_.Rules().multi_line) return end ? model_.Text().size() : 0;
  const TextLayout& layout = Layout();
  Rect caret = layout.CaretRect(ToShown(model_.Caret()));
  std::size_t index = layout.IndexAt({end ? 1 << 20 : -(1 << 20), caret.top + 1});
  std::size_t pos = FromShown(index);
  // A wrapped line ends before the space it broke at.
  if (end && pos > 0 && pos < model_.Text().size() && model_.Text()[pos - 1] == ' ') {
    pos = model_.PrevChar(pos);
  }
  return pos;
}

std::size_t TextField::VerticalMove(int lines) {
  const TextLayout& layout = Layout();
  Rect caret = layout.CaretRect(ToShown(model_.Caret()));
  if (preferred_x_ < 0) preferred_x_ = caret.left;
  int line = layout.LineHeight();
  int y = caret.top + lines * line + line / 2;
  if (y < 0) return lines < 0 && caret.top < line ? model_.Caret() : 0;
  if (y >= layout.GetSize().cy) {
    return caret.bottom >= layout.GetSize().cy ? model_.Caret() : model_.Text().size();
  }
  return FromShown(layout.IndexAt({preferred_x_, y}));
}

long TextField::OnKey(int key) {
  bool ctrl = Ctrl();
  bool shift = Shift();
  bool multi = model_.Rules().multi_line;
  auto move = [&](std::size_t pos) {
    preferred_x_ = -1;
    model_.MoveTo(pos, shift);
    Moved();
    return 1L;
  };
  auto move_vertically = [&](int lines) {
    if (!multi) return 1L;
    int keep = preferred_x_;
    std::size_t pos = VerticalMove(lines);
    keep = preferred_x_ >= 0 ? preferred_x_ : keep;
    model_.MoveTo(pos, shift);
    Moved();
    preferred_x_ = keep;
    return 1L;
  };
  std::size_t caret = model_.Caret();
  switch (key) {
    case vk::kLeft:
      if (model_.HasSelection() && !shift) return move(model_.SelectionStart());
      return move(ctrl ? model_.PrevWord(caret) : model_.PrevChar(caret));
    case vk::kRight:
      if (model_.HasSelection() && !shift) return move(model_.SelectionEnd());
      return move(ctrl ? model_.NextWord(caret) : model_.NextChar(caret));
    case vk::kHome:
      return move(ctrl ? 0 : LineEdge(false));
    case vk::kEnd:
      return move(ctrl ? model_.Text().size() : LineEdge(true));
    case vk::kUp:
      return move_vertically(-1);
    case vk::kDown:
      return move_vertically(1);
    case vk::kPrior:
    case vk::kNext: {
      int page = std::max(1, rect_.Height() / std::max(LineHeight(), 1) - 1);
      return move_vertically(key == vk::kPrior ? -page : page);
    }
    case vk::kDelete:
      if (shift && !ctrl) {
        Cut();
      } else if (model_.DeleteForward(ctrl)) {
        Edited();
      }
      return 1;
    case vk::kBack:
      // Plain Backspace arrives as its character; Ctrl+Backspace has none.
      if (ctrl && model_.DeleteBackward(true)) Edited();
      return 1;
    case vk::kInsert:
      if (ctrl && !shift) Copy();
      if (shift && !ctrl) Paste();
      return 1;
    case vk::kReturn:
      return multi || on_enter_ ? 1 : 0;
    case vk::kEscape:
      return on_escape_ ? 1 : 0;
    case vk::kTab:
      return 0;
    default:
      break;
  }
  if (ctrl) {
    switch (key) {
      case 'A':
        SelectAll();
        return 1;
      case 'C':
        Copy();
        return 1;
      case 'X':
        Cut();
        return 1;
      case 'V':
        Paste();
        return 1;
      case 'Z':
        Undo();
        return 1;
      default:
        return 0;
    }
  }
  if (key >= vk::kF1 && key < vk::kF1 + 24) return 0;
  // Other keys type: their characters follow, and no hot key of another
  // control may take them meanwhile.
  return 1;
}

long TextField::OnChar(char32_t cp) {
  bool multi = model_.Rules().multi_line;
  switch (cp) {
    case 8:
      if (model_.DeleteBackward(false)) Edited();
      return 1;
    case 10:  // Ctrl+Enter's line feed
      if (multi && model_.Insert("\n", true)) Edited();
      return multi ? 1 : 0;
    case 13:
      if (multi) {
        if (model_.Insert("\n", true)) Edited();
        return 1;
      }
      if (on_enter_) {
        auto notify = on_enter_;
        notify();
        return 1;
      }
      return 0;
    case 27:
      if (on_escape_) {
        auto notify = on_escape_;
        notify();
        return 1;
      }
      return 0;
    case 9:
      return 0;
    default:
      break;
  }
  if (cp < 0x20 || cp == 0x7F) return 1;
  if (model_.Insert(Utf8FromCodePoint(cp), true)) Edited();
  return 1;
}

void TextField::OnComposition(std::uint32_t message) {
  platform::WindowSystem* system = Manager::GetWindowSystem();
  if (!system || model_.Rules().read_only) return;
  if (message == msg::kImeStartComposition) {
    // What is composed takes the selection's place.
    if (model_.DeleteSelection()) Edited();
    Rect caret = CaretClientRect();
    system->StartTextInput(manager_ ? manager_->GetPaintWnd() : platform::kNoWindow,
                           platform::Rect{caret.left, caret.top, caret.right, caret.bottom});
    return;
  }
  platform::Composition now =
      message == msg::kImeEndComposition ? platform::Composition{} : system->CurrentComposition();
  if (now == composition_) return;
  composition_ = now;
  layout_stale_ = true;
  Refresh();
}

int TextField::OnControlMouseMove(unsigned flags, Point p) {
  if (!dragging_) return 0;
  if (!(flags & msg::kMkLButton)) {
    dragging_ = false;
    return 0;
  }
  model_.MoveTo(IndexAtPoint(p), true);
  Moved();
  return 1;
}

int TextField::OnControlLButtonDown(unsigned flags, Point p) {
  if (!visible_ || !rect_.Contains(p)) return 0;
  dragging_ = true;
  preferred_x_ = -1;
  model_.MoveTo(IndexAtPoint(p), (flags & msg::kMkShift) != 0);
  Moved();
  return 1;
}

int TextField::OnControlLButtonUp(unsigned /*flags*/, Point p) {
  bool was = dragging_;
  dragging_ = false;
  return was || rect_.Contains(p) ? 1 : 0;
}

int TextField::OnControlLButtonDblClk(unsigned /*flags*/, Point p) {
  if (!visible_ || !rect_.Contains(p)) return 0;
  dragging_ = false;
  model_.SelectWordAt(IndexAtPoint(p));
  Moved();
  return 1;
}

int TextField::OnControlScroll(int /*kind*/, int direction, Point /*p*/) {
  if (!visible_ || !model_.Rules().multi_line) return 0;
  const TextLayout& layout = Layout();
  int most = std::max(0, layout.GetSize().cy - rect_.Height());
  int next = std::clamp(scroll_y_ + (direction ? 3 : -3) * layout.LineHeight(), 0, most);
  if (next == scroll_y_) return most > 0 ? 1 : 0;
  scroll_y_ = next;
  UpdateCaret();
  Repaint();
  return 1;
}

void TextField::DrawControl(cairo_t* cr, const Rect& clip) {
  if (!visible_ || rect_.IsEmpty() || !rect_.Intersects(clip)) return;
  if (AlphaOf(back_color_) != 0) MRender::DrawColor(cr, rect_, back_color_);
  const TextLayout& layout = Layout();
  Point origin = TextOrigin();
  std::size_t from = 0;
  std::size_t to = 0;
  if (editing_ && model_.HasSelection()) {
    from = ToShown(model_.SelectionStart());
    to = ToShown(model_.SelectionEnd());
  }
  layout.Draw(cr, origin, rect_, text_color_, from, to, selection_color_);
}

}  // namespace tumi
