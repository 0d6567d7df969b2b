#include "uilib/controls/TextModel.h"

#include <algorithm>
#include <cctype>

namespace tumi {

namespace {

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The code point at pos and its length in bytes; a malformed sequence is
// reported as one byte of code point 0xFFFD.
char32_t Decode(std::string_view s, std::size_t pos, std::size_t* length) {
  auto b = static_cast<unsigned char>(s[pos]);
  *length = 1;
  if (b < 0x80) return b;
  int extra = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = b & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if (pos + i >= s.size() || !IsContinuation(s[pos + i])) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
  }
  *length = static_cast<std::size_t>(extra) + 1;
  return cp;
}

bool IsWordChar(char32_t cp) {
  if (cp >= 0x80) return cp != 0xA0 && cp != 0x3000 && !(cp >= 0x2000 && cp <= 0x206F);
  return std::isalnum(static_cast<int>(cp)) || cp == '_';
}

int Units(char32_t cp) {
  return cp >= 0x10000 ? 2 : 1;
}

}  // namespace

void TextModel::SetText(std::string text) {
  text_ = std::move(text);
  caret_ = anchor_ = text_.size();
  has_undo_ = false;
  typing_run_ = false;
}

std::string TextModel::SelectedText() const {
  return text_.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

std::size_t TextModel::Boundary(std::size_t pos) const {
  pos = std::min(pos, text_.size());
  while (pos > 0 && pos < text_.size() && IsContinuation(text_[pos])) --pos;
  return pos;
}

void TextModel::Select(std::size_t anchor, std::size_t caret) {
  anchor_ = Boundary(anchor);
  caret_ = Boundary(caret);
  typing_run_ = false;
}

void TextModel::MoveTo(std::size_t pos, bool extend) {
  caret_ = Boundary(pos);
  if (!extend) anchor_ = caret_;
  typing_run_ = false;
}

std::string TextModel::Filter(std::string_view input) const {
  std::string out;
  out.reserve(input.size());
  for (std::size_t i = 0; i < input.size();) {
    std::size_t length = 1;
    char32_t cp = Decode(input, i, &length);
    std::string_view piece = input.substr(i, length);
    i += length;
    if (cp == 0xFFFD && length == 1) continue;  // not UTF-8
    if (cp == '\r' || cp == '\n') {
      if (!rules_.multi_line) break;  // a single line ends at the first break
      if (cp == '\r' && i < input.size() && input[i] == '\n') ++i;
      if (!rules_.digits_only) out.push_back('\n');
      continue;
    }
    if (cp < 0x20 && !(cp == '\t' && rules_.multi_line)) continue;
    if (cp == 0x7F) continue;
    if (rules_.digits_only && !(cp >= '0' && cp <= '9')) continue;
    out.append(piece);
  }
  return out;
}

bool TextModel::Insert(std::string_view input, bool typing) {
  if (rules_.read_only) return false;
  std::string accepted = Filter(input);
  if (accepted.empty()) return false;
  std::size_t from = SelectionStart();
  std::size_t to = SelectionEnd();
  if (rules_.limit > 0) {
    int kept = Utf16Length(text_) - Utf16Length(std::string_view(text_).substr(from, to - from));
    int room = rules_.limit - kept;
    // Cut at the last whole character that still fits.
    std::size_t end = 0;
    int used = 0;
    while (end < accepted.size()) {
      std::size_t length = 1;
      int units = Units(Decode(accepted, end, &length));
      if (used + units > room) break;
      used += units;
      end += length;
    }
    accepted.resize(end);
    if (accepted.empty()) return false;
  }
  Replace(from, to, accepted, typing);
  return true;
}

bool TextModel::DeleteSelection() {
  if (rules_.read_only || !HasSelection()) return false;
  Replace(SelectionStart(), SelectionEnd(), {}, false);
  return true;
}

bool TextModel::DeleteBackward(bool word) {
  if (rules_.read_only) return false;
  if (HasSelection()) return DeleteSelection();
  if (caret_ == 0) return false;
  Replace(word ? PrevWord(caret_) : PrevChar(caret_), caret_, {}, false);
  return true;
}

bool TextModel::DeleteForward(bool word) {
  if (rules_.read_only) return false;
  if (HasSelection()) return DeleteSelection();
  if (caret_ >= text_.size()) return false;
  Replace(caret_, word ? NextWord(caret_) : NextChar(caret_), {}, false);
  return true;
}

void TextModel::Replace(std::size_t from, std::size_t to, const std::string& with, bool typing) {
  // Keystrokes that follow each other at the caret undo as one step.
  bool continues = typing && typing_run_ && from == to && from == caret_;
  if (!continues) {
    undo_ = {text_, caret_, anchor_};
    has_undo_ = true;
  }
  text_.replace(from, to - from, with);
  caret_ = anchor_ = from + with.size();
  typing_run_ = typing;
}

bool TextModel::Undo() {
  if (!CanUndo()) return false;
  Snapshot now{text_, caret_, anchor_};
  text_ = std::move(undo_.text);
  caret_ = undo_.caret;
  anchor_ = undo_.anchor;
  undo_ = std::move(now);
  typing_run_ = false;
  return true;
}

std::size_t TextModel::PrevChar(std::size_t pos) const {
  pos = Boundary(pos);
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && IsContinuation(text_[pos])) --pos;
  return pos;
}

std::size_t TextModel::NextChar(std::size_t pos) const {
  pos = Boundary(pos);
  if (pos >= text_.size()) return text_.size();
  std::size_t length = 1;
  Decode(text_, pos, &length);
  return pos + length;
}

std::size_t TextModel::PrevWord(std::size_t pos) const {
  auto word_before = [this](std::size_t p) {
    std::size_t length = 1;
    std::size_t prev = PrevChar(p);
    return IsWordChar(Decode(text_, prev, &length));
  };
  pos = Boundary(pos);
  while (pos > 0 && !word_before(pos)) pos = PrevChar(pos);
  while (pos > 0 && word_before(pos)) pos = PrevChar(pos);
  return pos;
}

std::size_t TextModel::NextWord(std::size_t pos) const {
  auto word_at = [this](std::size_t p) {
    std::size_t length = 1;
    return IsWordChar(Decode(text_, p, &length));
  };
  pos = Boundary(pos);
  while (pos < text_.size() && word_at(pos)) pos = NextChar(pos);
  while (pos < text_.size() && !word_at(pos)) pos = NextChar(pos);
  return pos;
}

void TextModel::SelectWordAt(std::size_t pos) {
  pos = Boundary(pos);
  if (text_.empty()) return Select(0, 0);
  if (pos >= text_.size()) pos = PrevChar(pos);
  std::size_t length = 1;
  bool word = IsWordChar(Decode(text_, pos, &length));
  auto same = [&](std::size_t p) {
    std::size_t l = 1;
    return IsWordChar(Decode(text_, p, &l)) == word;
  };
  std::size_t from = pos;
  while (from > 0 && same(PrevChar(from))) from = PrevChar(from);
  std::size_t to = pos;
  while (to < text_.size() && same(to)) to = NextChar(to);
  Select(from, to);
}

int TextModel::Utf16Length(std::string_view text) {
  int units = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 1;
    units += Units(Decode(text, i, &length));
    i += length;
  }
  return units;
}

std::size_t TextModel::ByteOffset(int utf16_offset) const {
  std::size_t pos = 0;
  int units = 0;
  while (pos < text_.size()) {
    std::size_t length = 1;
    int u = Units(Decode(text_, pos, &length));
    if (units + u > utf16_offset) break;
    units += u;
    pos += length;
  }
  return pos;
}

}  // namespace tumi
