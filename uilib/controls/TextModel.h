#pragma once
// The text of an edit field and what the user's editing does to it: caret,
// selection, length limit, digits only, single line, read-only and undo of
// the last edit. Pure: no drawing, no platform. UI thread only.
//
// Positions are byte offsets into the UTF-8 text and always sit on a code
// point boundary. The limit counts UTF-16 code units, the unit field limits
// have always been given in, and input is never cut inside a character.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tumi {

struct TextRules {
  int limit = 0;  // UTF-16 code units; 0 or below: no limit
  bool digits_only = false;
  bool multi_line = false;
  bool read_only = false;
};

class TextModel {
 public:
  void SetRules(const TextRules& rules) { rules_ = rules; }
  const TextRules& Rules() const { return rules_; }

  const std::string& Text() const { return text_; }
  // What the program sets is kept as given (the rules govern the user's
  // input); the caret goes to the end and the undo step is dropped.
  void SetText(std::string text);

  std::size_t Caret() const { return caret_; }
  std::size_t Anchor() const { return anchor_; }
  bool HasSelection() const { return caret_ != anchor_; }
  std::size_t SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  std::size_t SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  std::string SelectedText() const;
  // Both ends are clamped into the text and moved back to a code point start.
  void Select(std::size_t anchor, std::size_t caret);
  void SelectAll() { Select(0, text_.size()); }
  // The caret moves; the anchor follows unless the selection is extended.
  void MoveTo(std::size_t pos, bool extend);

  // The user's input in place of the selection: typed text (`typing`, so
  // consecutive keystrokes undo together) or pasted text. Characters the
  // rules refuse are left out, a single line ends at the first line break,
  // and what exceeds the limit is cut. True when the text changed.
  bool Insert(std::string_view input, bool typing = false);
  // Backspace and Delete: the selection, else one character (or up to the
  // word boundary) before or after the caret.
  bool DeleteBackward(bool word = false);
  bool DeleteForward(bool word = false);
  // Removes the selection (Cut); true when there was one to remove.
  bool DeleteSelection();

  // Undo of the last edit; a second undo restores it again.
  bool CanUndo() const { return has_undo_ && !rules_.read_only; }
  bool Undo();

  // Neighbouring positions.
  std::size_t PrevChar(std::size_t pos) const;
  std::size_t NextChar(std::size_t pos) const;
  std::size_t PrevWord(std::size_t pos) const;
  std::size_t NextWord(std::size_t pos) const;
  // The word (or run of spaces) around a position, for a double click.
  void SelectWordAt(std::size_t pos);

  // Conversions between byte offsets and UTF-16 offsets.
  static int Utf16Length(std::string_view text);
  int Utf16Offset(std::size_t pos) const {
    return Utf16Length(std::string_view(text_).substr(0, std::min(pos, text_.size())));
  }
  std::size_t ByteOffset(int utf16_offset) const;

 private:
  struct Snapshot {
    std::string text;
    std::size_t caret = 0;
    std::size_t anchor = 0;
  };
  std::size_t Boundary(std::size_t pos) const;
  std::string Filter(std::string_view input) const;
  void Replace(std::size_t from, std::size_t to, const std::string& with, bool typing);

  TextRules rules_;
  std::string text_;
  std::size_t caret_ = 0;
  std::size_t anchor_ = 0;
  Snapshot undo_;
  bool has_undo_ = false;
  bool typing_run_ = false;  // the undo step is still collecting keystrokes
};

}  // namespace tumi
